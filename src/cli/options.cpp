#include "options.h"

#include <charconv>

namespace lumi::cli {

Options::Options(const std::vector<std::string>& args, const std::set<std::string>& valued,
                 const std::set<std::string>& flags) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() > 1 && a[0] == '-') {
      if (valued.count(a)) {
        if (i + 1 >= args.size()) throw UsageError("option " + a + " needs a value");
        if (values_.count(a)) throw UsageError("option " + a + " given twice");
        values_[a] = args[++i];
      } else if (flags.count(a)) {
        flags_.insert(a);
      } else {
        throw UsageError("unknown option " + a);
      }
    } else {
      positional_.push_back(a);
    }
  }
}

bool Options::Has(const std::string& name) const {
  return flags_.count(name) != 0 || values_.count(name) != 0;
}

std::optional<std::string> Options::Value(const std::string& name) const {
  auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

std::string Options::Required(const std::string& name) const {
  auto v = Value(name);
  if (!v) throw UsageError("option " + name + " is required");
  return *v;
}

std::optional<int> Options::Int(const std::string& name, int lo, int hi) const {
  auto v = Value(name);
  if (!v) return std::nullopt;
  int n = 0;
  auto [end, ec] = std::from_chars(v->data(), v->data() + v->size(), n);
  if (ec != std::errc() || end != v->data() + v->size() || n < lo || n > hi) {
    throw UsageError("option " + name + " takes a whole number from " + std::to_string(lo) +
                     " to " + std::to_string(hi));
  }
  return n;
}

}  // namespace lumi::cli
