#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "core/text_encoding.h"
#include "help_source.h"

// Reads kelboer.hlp as a help viewer does, apart from the compiler's code.
namespace {

using Bytes = std::vector<std::uint8_t>;
using Topics = std::vector<std::pair<std::uint32_t, std::string>>;  // offset, title

std::string ReadAll(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::uint32_t U32(const Bytes& b, std::size_t at) {
    return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 | std::uint32_t(b.at(at + 3)) << 24;
}
std::uint16_t U16(const Bytes& b, std::size_t at) { return std::uint16_t(b.at(at) | b.at(at + 1) << 8); }
std::string CString(const Bytes& b, std::size_t at) { return reinterpret_cast<const char*>(&b.at(at)); }

std::uint32_t Hash(const std::string& name) {
    std::uint32_t h = 0;
    for (char c : name) {
        char u = char(std::toupper(static_cast<unsigned char>(c)));
        std::uint32_t x = u == '0' ? 10 : u == '.' ? 12 : u == '_' ? 13 : u >= 'A' ? u - 'A' + 17 : u - '0';
        h = h * 43 + x;
    }
    return h;
}

struct HelpFile {
    Bytes all;
    std::map<std::string, std::size_t> files;  // name -> data start
    Bytes Data(const std::string& name) const {
        std::size_t at = files.at(name);
        return Bytes(all.begin() + at + 9, all.begin() + at + 9 + U32(all, at + 4));
    }
};

// The entry count of a one-level B+ tree, and where its leaf page starts.
std::size_t LeafCount(const Bytes& tree, std::size_t& pageStart) {
    EXPECT_EQ(U16(tree, 0), 0x293B);
    EXPECT_EQ(U16(tree, 32), 1);  // levels
    pageStart = 38 + U16(tree, 26) * U16(tree, 4);
    return U16(tree, pageStart + 2);
}

// Compressed numbers: bit 0 of the first byte says whether the long form follows.
std::uint32_t Compressed(const Bytes& b, std::size_t& at, bool wide) {
    bool longForm = b[at] & 1;
    std::uint32_t v = wide ? (longForm ? U32(b, at) : U16(b, at)) : (longForm ? U16(b, at) : b[at]);
    at += (wide ? 2 : 1) * (longForm ? 2 : 1);
    return v >> 1;
}

HelpFile Open() {
    std::string raw = ReadAll(KELBO_HELP_FILE);
    HelpFile f{Bytes(raw.begin(), raw.end()), {}};
    EXPECT_EQ(U32(f.all, 0), 0x00035F3Fu);
    EXPECT_EQ(U32(f.all, 12), f.all.size());
    Bytes dir(f.all.begin() + U32(f.all, 4) + 9, f.all.end());
    std::size_t at;
    std::size_t n = LeafCount(dir, at);
    for (at += 8; n--; at += 4) {
        std::string name = CString(dir, at);
        at += name.size() + 1;
        f.files[name] = U32(dir, at);
    }
    return f;
}

Bytes Lz77(const Bytes& in, std::size_t from, std::size_t to) {
    Bytes out;
    for (std::size_t i = from; i < to;) {
        std::uint8_t mask = in[i++];
        for (int bit = 0; bit < 8 && i < to; ++bit, mask >>= 1) {
            if (!(mask & 1)) {
                out.push_back(in[i++]);
                continue;
            }
            std::uint16_t code = U16(in, i);
            i += 2;
            for (int len = 3 + (code >> 12); len > 0; --len) out.push_back(out[out.size() - (code & 0xFFF) - 1]);
        }
    }
    return out;
}

// Walks the topic links from the first; collects each topic and every jump's hash.
Topics ReadTopics(const Bytes& topic, std::vector<std::uint32_t>& jumps) {
    std::vector<Bytes> blocks;
    for (std::size_t b = 0; b < topic.size(); b += 4096) blocks.push_back(Lz77(topic, b + 12, b + 4096));
    Topics topics;
    std::uint32_t chars = 0, lastBlock = 0;
    for (std::uint32_t pos = 12; pos != 0xFFFFFFFF;) {
        const Bytes& b = blocks.at((pos - 12) >> 14);
        std::size_t at = (pos - 12) & 0x3FFF, data2 = at + U32(b, at + 16);
        if ((pos - 12) >> 14 != lastBlock) chars = 0, lastBlock = (pos - 12) >> 14;
        EXPECT_EQ(U32(b, at + 4), U32(b, at) - U32(b, at + 16));  // stored without phrases
        if (b[at + 20] == 0x02) {
            topics.emplace_back(lastBlock * 0x8000 + chars, std::string(&b[data2], &b[at + U32(b, at) - 1] + 1));
        } else {
            EXPECT_EQ(b[at + 20], 0x20);
            std::size_t f = at + 21;
            Compressed(b, f, true);
            chars += Compressed(b, f, false);
            std::size_t bits = U16(b, f + 4);
            EXPECT_EQ(bits & ~0x7E, 0u);  // spacings and indents only
            f += 6;
            for (std::uint16_t flag = 2; flag <= 0x40; flag <<= 1) {
                if (bits & flag) Compressed(b, f, false);
            }
            // Font changes take 2 bytes, jumps 4, and the other commands none.
            for (; b[f] != 0xFF; f += b[f] == 0x80 ? 3 : b[f] == 0xE3 ? 5 : 1) {
                if (b[f] == 0xE3) jumps.push_back(U32(b, f + 1));
            }
        }
        pos = U32(b, at + 12);
    }
    return topics;
}

TEST(HelpFile, EveryTopicAndJumpResolvesThroughTheContextHash) {
    HelpFile f = Open();
    EXPECT_EQ(f.files.size(), 5u);  // |CONTEXT, |FONT, |SYSTEM, |TOPIC, |TTLBTREE: each is read below
    EXPECT_EQ(f.Data("|FONT").size(), 8u + 20 + 3 * 11);

    Bytes system = f.Data("|SYSTEM");
    EXPECT_EQ(U16(system, 0), 0x036C);
    EXPECT_EQ(U16(system, 10), 4);  // LZ77 topic blocks
    std::map<std::uint16_t, Bytes> records;
    for (std::size_t at = 12; at + 4 <= system.size(); at += 4 + U16(system, at + 2)) {
        records[U16(system, at)] = Bytes(system.begin() + at + 4, system.begin() + at + 4 + U16(system, at + 2));
    }
    EXPECT_EQ(kelbo::Cp1250ToUtf8(CString(records.at(1), 0)), "Kelbo – popis funkcií");
    EXPECT_EQ(U16(records.at(11), 0), 238);

    std::vector<std::uint32_t> jumps;
    Topics topics = ReadTopics(f.Data("|TOPIC"), jumps);
    EXPECT_EQ(U32(records.at(3), 0), topics.at(0).first);

    std::map<std::uint32_t, std::uint32_t> context;
    Bytes tree = f.Data("|CONTEXT");
    std::size_t page;
    for (std::size_t i = 0, count = LeafCount(tree, page); i < count; ++i)
        context[U32(tree, page + 8 + 8 * i)] = U32(tree, page + 12 + 8 * i);
    std::map<std::uint32_t, std::string> titles;
    tree = f.Data("|TTLBTREE");
    for (std::size_t i = 0, count = LeafCount(tree, page), at = page + 8; i < count;
         ++i, at += titles[U32(tree, at)].size() + 5) {
        titles[U32(tree, at)] = CString(tree, at + 4);
    }

    // The source's topics, in order: context and title.
    std::string source = ReadAll(KELBO_HELP_SOURCE);
    std::regex topicLine("(^|\n)topic ([A-Za-z0-9_.]+): ([^\n]+)");
    std::size_t n = 0;
    for (auto it = std::sregex_iterator(source.begin(), source.end(), topicLine); it != std::sregex_iterator(); ++it) {
        std::string title = kelbo::Cp1250ToUtf8(topics.at(n).second);
        EXPECT_EQ(title, (*it)[3].str());
        EXPECT_EQ(context.at(Hash((*it)[2].str())), topics[n].first) << (*it)[2];
        EXPECT_EQ(kelbo::Cp1250ToUtf8(titles.at(topics[n].first)), title);
        ++n;
    }
    EXPECT_EQ(n, topics.size());
    EXPECT_EQ(context.size(), n);
    EXPECT_EQ(kelbo::Cp1250ToUtf8(topics.at(0).second), "Obsah");
    EXPECT_GE(jumps.size(), n - 1);
    for (std::uint32_t h : jumps) EXPECT_TRUE(context.count(h)) << h;
}

TEST(HelpSource, RefusesBrokenSources) {
    const char* broken[] = {
        "title: T\ntopic a b: A\n",                    // bad context
        "title: T\ntopic a: A\ntopic A: B\n",          // a context twice
        "title: T\ntopic a: A\nsee {this|nowhere}\n",  // unknown jump target
        "title: T\ntopic a: A\nsee {this|a\n",         // unclosed jump
    };
    for (const char* source : broken)
        EXPECT_THROW(kelbo::hlpc::ParseHelpSource(source), kelbo::hlpc::HelpSourceError) << source;
}

}  // namespace
