#pragma once
// A small command-line parser: positional arguments and --name value options, with a
// clear error for anything it does not know.
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace lumi::cli {

// A mistake in how the program was called: exit status 1, one line.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Options {
 public:
  // `valued` lists the options that take a value, `flags` those that do not; both
  // spelled with their dashes ("-o", "--object").
  Options(const std::vector<std::string>& args, const std::set<std::string>& valued,
          const std::set<std::string>& flags);

  const std::vector<std::string>& Positional() const { return positional_; }
  bool Has(const std::string& name) const;
  std::optional<std::string> Value(const std::string& name) const;
  std::string Required(const std::string& name) const;
  // An integer option within [lo, hi].
  std::optional<int> Int(const std::string& name, int lo, int hi) const;

 private:
  std::vector<std::string> positional_;
  std::map<std::string, std::string> values_;
  std::set<std::string> flags_;
};

}  // namespace lumi::cli
