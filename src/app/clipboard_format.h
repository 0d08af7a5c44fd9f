#pragma once
// The program's own clipboard format: the object stream (a count and that many object
// records) that Copy writes and Paste reads, offered on the clipboard under this MIME
// type next to any plain image. Qt needs no registration; every use names this constant.
namespace lumi::app {

inline constexpr char kObjectStreamMimeType[] = "application/x-vantremold";

}  // namespace lumi::app
