// Name checks for the archive's file and directory records.
#include "shell/archive_name.h"

#include <cstdio>
#include <cstring>
#include <vector>

const char* const ARCHIVE_ROOT = "plumora_data";

namespace {

// Splits name at "/" into its meaningful components (no empty, no ".").
std::vector<std::string> Components(const std::string& name)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('/', start);
        if (end == std::string::npos) end = name.size();
        std::string part = name.substr(start, end - start);
        if (!part.empty() && part != ".") parts.push_back(part);
        start = end + 1;
    }
    return parts;
}

const char* Refusal(const std::string& name, const std::vector<std::string>& parts, bool isFile)
{
    if (name.empty()) return "empty name";
    if (memchr(name.data(), '\0', name.size())) return "contains a NUL byte";
    if (name[0] == '/') return "absolute path";
    for (const std::string& part : parts)
        if (part == "..") return "contains a '..' component";
    if (parts.empty() || parts[0] != ARCHIVE_ROOT || (isFile && parts.size() < 2))
        return "not below plumora_data/";
    return nullptr;
}

}  // namespace

bool CheckArchiveName(const std::string& name, bool isFile, std::string* path, const char** why)
{
    std::vector<std::string> parts = Components(name);
    *why = Refusal(name, parts, isFile);
    if (*why) return false;
    path->clear();
    for (const std::string& part : parts) *path += (path->empty() ? "" : "/") + part;
    return true;
}

std::string QuotedName(const std::string& name)
{
    const size_t shown = 120;
    std::string text = "\"";
    for (size_t i = 0; i < name.size() && i < shown; ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (c < 0x20 || c >= 0x7f || c == '"' || c == '\\') {
            char escape[8];
            snprintf(escape, sizeof escape, "\\x%02x", c);
            text += escape;
        } else {
            text += static_cast<char>(c);
        }
    }
    return text + (name.size() > shown ? "\"..." : "\"");
}
