#include "objects/object_id.h"

#include <mutex>
#include <random>
#include <string_view>

namespace lumi {
namespace {

constexpr std::string_view kAlphabet =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxy";

std::mt19937_64& Engine() {
  static std::mt19937_64 engine = [] {
    std::random_device device;
    std::seed_seq seed{device(), device(), device(), device(), device(), device(), device(),
                       device()};
    return std::mt19937_64(seed);
  }();
  return engine;
}

}  // namespace

std::string NewObjectId() {
  static std::mutex mutex;
  std::lock_guard lock(mutex);
  std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
  std::string id(kObjectIdLength, '0');
  for (char& c : id) c = kAlphabet[pick(Engine())];
  return id;
}

bool IsObjectIdShape(const std::string& id) {
  if (id.size() != kObjectIdLength) return false;
  for (char c : id) {
    if (kAlphabet.find(c) == std::string_view::npos) return false;
  }
  return true;
}

}  // namespace lumi
