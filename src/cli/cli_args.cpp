#include "cli_args.h"

namespace qrv::cli {

bool CCliArgs::Parse(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
                     const std::set<std::string>& flagOptions)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            std::string name = arg;
            std::optional<std::string> inlineValue;
            if (const auto eq = arg.find('='); eq != std::string::npos) {
                name = arg.substr(0, eq);
                inlineValue = arg.substr(eq + 1);
            }
            if (valueOptions.count(name) != 0) {
                if (inlineValue) {
                    m_values.emplace(name, *inlineValue);
                } else if (i + 1 < args.size()) {
                    m_values.emplace(name, args[++i]);
                } else {
                    m_error = "option " + name + " needs a value";
                    return false;
                }
            } else if (flagOptions.count(name) != 0 && !inlineValue) {
                m_flags.insert(name);
            } else {
                m_error = "unknown option " + arg;
                return false;
            }
        } else {
            m_positional.push_back(arg);
        }
    }
    return true;
}

std::optional<std::string> CCliArgs::Value(const std::string& name) const
{
    const auto it = m_values.find(name);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

std::vector<std::string> CCliArgs::Values(const std::string& name) const
{
    std::vector<std::string> out;
    const auto [begin, end] = m_values.equal_range(name);
    for (auto it = begin; it != end; ++it)
        out.push_back(it->second);
    return out;
}

} // namespace qrv::cli
