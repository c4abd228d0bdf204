#include "tools/packer/text_values.h"

#include <iconv.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tessaly::pack {

int64_t parseNumber(const std::string& text)
{
    size_t used = 0;
    int64_t value = 0;
    try {
        value = std::stoll(text, &used, 0);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size()) throw std::runtime_error("not a number: \"" + text + "\"");
    return value;
}

std::vector<std::string> splitWords(const std::string& text, char separator)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == separator) {
            if (!word.empty() || separator != ' ') words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty() || (separator != ' ' && !text.empty())) words.push_back(word);
    return words;
}

std::string toGbk(const std::string& utf8)
{
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no UTF-8 to GBK conversion");
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* dst = out.data();
    size_t outLeft = out.size();
    const size_t r = iconv(cd, &in, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1)) throw std::runtime_error("text has no GBK form: \"" + utf8 + "\"");
    out.resize(out.size() - outLeft);
    return out;
}

ui::Bytes readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tessaly::pack
