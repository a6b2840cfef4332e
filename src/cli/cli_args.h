#pragma once
// A small argument reader: positional arguments and "--name value" options,
// with the set of options each verb accepts.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace qrv::cli {

class CCliArgs {
public:
    // valueOptions take a value, flagOptions do not. Returns false (with a
    // reason in Error()) for an unknown option or a missing value.
    bool Parse(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
               const std::set<std::string>& flagOptions);

    const std::vector<std::string>& Positional() const { return m_positional; }
    std::optional<std::string> Value(const std::string& name) const;
    std::vector<std::string> Values(const std::string& name) const;
    bool Flag(const std::string& name) const { return m_flags.count(name) != 0; }
    const std::string& Error() const { return m_error; }

private:
    std::vector<std::string> m_positional;
    std::multimap<std::string, std::string> m_values;
    std::set<std::string> m_flags;
    std::string m_error;
};

} // namespace qrv::cli
