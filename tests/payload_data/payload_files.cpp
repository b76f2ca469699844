#include "payload_files.h"

#include <iconv.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <regex>
#include <stdexcept>

namespace payload_test {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string AuthoredPath(const std::string& name) { return std::string(K7X_PAYLOAD_FILES_DIR) + "/" + name; }

std::string GeneratedPath(const std::string& name) { return std::string(K7X_PAYLOAD_GEN_DIR) + "/" + name; }

std::string Authored(const std::string& name) { return ReadBytes(AuthoredPath(name)); }

bool VendorPayload() { return K7X_PAYLOAD_VENDOR != 0; }

std::vector<ManifestEntry> ReadManifest() {
    static const std::regex kLine(R"(^([0-9]+) [A-Za-z][A-Za-z0-9]* ([0-9]+) ([A-Za-z0-9_.-]+) (authored|placeholder) (.+)$)");
    static const std::regex kSkip(R"(^[ \t]*(#.*)?$)");
    std::vector<ManifestEntry> entries;
    std::string text = ReadBytes(K7X_PAYLOAD_MANIFEST);
    std::size_t start = 0;
    int lineNo = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNo;
        if (std::regex_match(line, kSkip)) continue;
        std::smatch m;
        if (!std::regex_match(line, m, kLine))
            throw std::runtime_error("manifest line " + std::to_string(lineNo) + " is malformed: " + line);
        entries.push_back({static_cast<unsigned>(std::stoul(m[1])), std::stoull(m[2]), m[3], m[4], m[5]});
    }
    return entries;
}

std::vector<std::string> SplitCrlf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::size_t BareLineEnds(const std::string& bytes) {
    std::size_t bare = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bool pairCr = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        bool pairLf = bytes[i] == '\n' && i > 0 && bytes[i - 1] == '\r';
        if ((bytes[i] == '\r' && !pairCr) || (bytes[i] == '\n' && !pairLf)) ++bare;
    }
    return bare;
}

std::optional<std::string> ToUtf8(const std::string& bytes, const char* charset) {
    iconv_t cd = iconv_open("UTF-8", charset);
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(std::string("iconv lacks ") + charset);
    std::string out(bytes.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    std::size_t rc = iconv(cd, &in, &inLeft, &dst, &outLeft);
    bool ok = rc != static_cast<std::size_t>(-1) && inLeft == 0 && rc == 0;
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace payload_test
