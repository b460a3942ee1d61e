// The libxml2 peer of our in-process render: the same bytes parsed into a tree and freed, as
// often as fits in about a second. Prints microseconds per parse.
//   peer_xml_parse FILE

#include <libxml/parser.h>

#include <chrono>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: peer_xml_parse FILE\n", stderr);
        return 2;
    }
    std::string bytes;
    FILE* file = std::fopen(argv[1], "rb");
    if (file == nullptr) return 2;
    char buffer[65536];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        bytes.append(buffer, got);
    }
    std::fclose(file);

    using Clock = std::chrono::steady_clock;
    const auto parse = [&bytes] {
        xmlDocPtr document = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                           nullptr, XML_PARSE_NONET);
        if (document == nullptr) return false;
        xmlFreeDoc(document);
        return true;
    };
    if (!parse()) return 1;
    long parses = 0;
    const Clock::time_point start = Clock::now();
    Clock::duration spent{};
    while (spent < std::chrono::seconds(1)) {
        for (int k = 0; k < 100; ++k) parse();
        parses += 100;
        spent = Clock::now() - start;
    }
    std::printf("%.2f\n", std::chrono::duration<double, std::micro>(spent).count() /
                              static_cast<double>(parses));
    return 0;
}
