#pragma once
// Object identifiers: 12 characters from digits, capital letters and the small letters
// a..y. Groups name their members by them, so two objects must never share one: they are
// drawn from a generator seeded once from the system's entropy source.
#include <string>

namespace lumi {

constexpr int kObjectIdLength = 12;

std::string NewObjectId();

// True when `id` has the length and alphabet of an identifier.
bool IsObjectIdShape(const std::string& id);

}  // namespace lumi
