#pragma once
// An allocator whose containers leave new elements of plain types as they come, for
// buffers that are written whole before anything reads them (or that clear themselves in
// bands of rows on the render threads), so no thread spends time clearing them first.
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace lumi {

template <class T>
struct UnclearedAllocator : std::allocator<T> {
  template <class U>
  struct rebind {
    using other = UnclearedAllocator<U>;
  };
  UnclearedAllocator() = default;
  template <class U>
  UnclearedAllocator(const UnclearedAllocator<U>&) noexcept {}
  template <class U>
  void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
    ::new (static_cast<void*>(p)) U;  // default-initialised: a byte or float keeps what it holds
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

}  // namespace lumi
