#include "hlp_writer.h"

#include <algorithm>
#include <map>
#include <string>

#include "core/byte_writer.h"
#include "core/text_encoding.h"

namespace kelbo::hlpc {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kNone = 0xFFFFFFFF;
constexpr std::size_t kBlockSize = 4096;
constexpr std::size_t kBlockHeader = 12;
// The most data whose all-literal LZ77 form (a flag byte per 8 bytes) fits a block.
constexpr std::size_t kBlockData = (kBlockSize - kBlockHeader) * 8 / 9;
constexpr std::uint32_t kCharsetCentralEurope = 238;

enum Font : std::uint16_t { kBodyFont, kHeadingFont, kTitleFont };

void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

std::string ToCp1250(const std::string& utf8) {
    std::string cp = Utf8ToCp1250(utf8);
    if (Cp1250ToUtf8(cp) != utf8) throw HelpWriteError("Windows-1250 cannot hold the text \"" + utf8 + "\"");
    return cp;
}

void AppendText(Bytes& out, const std::string& cp1250) { out.insert(out.end(), cp1250.begin(), cp1250.end()); }

// TOPICPOS: the block, and the place in its decompressed data counting the block header.
std::uint32_t TopicPos(std::size_t block, std::size_t offset) {
    return static_cast<std::uint32_t>((block << 14) + kBlockHeader + offset);
}

// TOPICOFFSET of a topic that starts its block: no characters before it.
std::uint32_t TopicOffset(std::size_t block) { return static_cast<std::uint32_t>(block << 15); }

// One paragraph as a TOPICLINK's two data parts: formatting commands, and the
// NUL-separated text runs each command follows.
struct LinkBody {
    std::uint8_t type;
    Bytes data1;
    Bytes data2;
};

class ParagraphBuilder {
public:
    void Text(const std::string& cp1250) {
        AppendText(text_, cp1250);
        chars_ += cp1250.size();
    }
    void Command(std::initializer_list<std::uint8_t> bytes) {
        AppendText(text_, std::string(1, '\0'));
        commands_.insert(commands_.end(), bytes);
    }
    void Font(std::uint16_t font) { Command({0x80, std::uint8_t(font & 0xFF), std::uint8_t(font >> 8)}); }
    void Jump(std::uint32_t hash) {
        Command({0xE3});
        AppendU32Le(commands_, hash);
    }
    LinkBody Finish(ParagraphStyle style) &&;

private:
    Bytes commands_;
    Bytes text_;
    std::size_t chars_ = 0;
};

// Compressed signed short (one byte, value*2 + 0x80) for small spacings.
std::uint8_t SmallShort(int value) { return static_cast<std::uint8_t>(0x80 + 2 * value); }

LinkBody ParagraphBuilder::Finish(ParagraphStyle style) && {
    Command({0x82});  // end of paragraph
    ++chars_;
    Command({0xFF});
    Bytes head;
    AppendU32Le(head, static_cast<std::uint32_t>(((text_.size() + 0x40000000u) << 1) | 1));  // compressed long
    AppendU16Le(head, static_cast<std::uint16_t>((chars_ << 1) | 1));                        // compressed ushort
    head.insert(head.end(), {0x00, 0x80, 0x00, 0x00});
    switch (style) {
    case ParagraphStyle::Title:
        AppendU16Le(head, 0x0004);  // space below
        head.push_back(SmallShort(12));
        break;
    case ParagraphStyle::Heading:
        AppendU16Le(head, 0x0006);  // space above and below
        head.insert(head.end(), {SmallShort(8), SmallShort(2)});
        break;
    case ParagraphStyle::Body:
        AppendU16Le(head, 0x0004);
        head.push_back(SmallShort(6));
        break;
    case ParagraphStyle::Item:
        AppendU16Le(head, 0x0014);  // space below, left indent
        head.insert(head.end(), {SmallShort(3), SmallShort(24)});
        break;
    }
    Append(head, commands_);
    return {0x20, std::move(head), std::move(text_)};
}

LinkBody ParagraphLink(const Paragraph& paragraph) {
    ParagraphBuilder b;
    Font font = paragraph.style == ParagraphStyle::Title     ? kTitleFont
                : paragraph.style == ParagraphStyle::Heading ? kHeadingFont
                                                             : kBodyFont;
    b.Font(font);
    if (paragraph.style == ParagraphStyle::Item) b.Text(ToCp1250("– "));
    for (const Span& span : paragraph.spans) {
        if (span.target.empty()) {
            b.Text(ToCp1250(span.text));
            continue;
        }
        b.Jump(ContextHash(span.target));
        b.Text(ToCp1250(span.text));
        b.Command({0x89});  // end of hotspot
    }
    return std::move(b).Finish(paragraph.style);
}

constexpr std::size_t kLinkHeader = 21;

std::size_t LinkSize(const LinkBody& body) { return kLinkHeader + body.data1.size() + body.data2.size(); }

struct PlacedLink {
    LinkBody body;
    std::size_t topic;
    std::size_t block = 0;
    std::size_t offset = 0;
    std::uint32_t Pos() const { return TopicPos(block, offset); }
};

struct TopicFile {
    Bytes bytes;
    std::vector<std::uint32_t> topicOffsets;
};

// Each topic starts a block, so its TOPICOFFSET is its block's; no link crosses a block.
void PlaceLinks(std::vector<PlacedLink>& links, std::vector<std::vector<std::size_t>>& blocks) {
    std::size_t used = 0;
    for (std::size_t i = 0; i < links.size(); ++i) {
        std::size_t size = LinkSize(links[i].body);
        if (size > kBlockData) throw HelpWriteError("a paragraph is too long for one topic block");
        bool topicStart = links[i].body.type == 0x02;
        if (blocks.empty() || (topicStart && used > 0) || used + size > kBlockData) {
            blocks.emplace_back();
            used = 0;
        }
        links[i].block = blocks.size() - 1;
        links[i].offset = used;
        blocks.back().push_back(i);
        used += size;
    }
}

Bytes TopicHeaderData1(const std::vector<PlacedLink>& links, std::size_t header, std::uint32_t number) {
    std::size_t topicBytes = 0;
    std::size_t next = header + 1;
    for (; next < links.size() && links[next].body.type != 0x02; ++next) topicBytes += LinkSize(links[next].body);
    Bytes d;
    AppendU32Le(d, static_cast<std::uint32_t>(topicBytes + LinkSize(links[header].body)));
    AppendU32Le(d, kNone);  // no browse sequence
    AppendU32Le(d, kNone);
    AppendU32Le(d, number);
    AppendU32Le(d, kNone);  // no non-scrolling region
    AppendU32Le(d, header + 1 < links.size() ? links[header + 1].Pos() : kNone);
    AppendU32Le(d, next < links.size() ? links[next].Pos() : kNone);
    return d;
}

Bytes SerializeLink(const std::vector<PlacedLink>& links, std::size_t i) {
    const LinkBody& b = links[i].body;
    Bytes out;
    AppendU32Le(out, static_cast<std::uint32_t>(LinkSize(b)));
    AppendU32Le(out, static_cast<std::uint32_t>(b.data2.size()));  // equal to the stored size: no phrases
    AppendU32Le(out, i > 0 ? links[i - 1].Pos() : kNone);
    AppendU32Le(out, i + 1 < links.size() ? links[i + 1].Pos() : kNone);
    AppendU32Le(out, static_cast<std::uint32_t>(kLinkHeader + b.data1.size()));
    out.push_back(b.type);
    Append(out, b.data1);
    Append(out, b.data2);
    return out;
}

// HLP's LZ77 with every byte a literal: a zero flag byte before each eight.
Bytes Lz77Literals(const Bytes& data) {
    Bytes out;
    for (std::size_t i = 0; i < data.size(); i += 8) {
        out.push_back(0);
        out.insert(out.end(), data.begin() + i, data.begin() + std::min(i + 8, data.size()));
    }
    return out;
}

TopicFile BuildTopicFile(const HelpBook& book) {
    std::vector<PlacedLink> links;
    for (std::size_t t = 0; t < book.topics.size(); ++t) {
        Bytes title;
        AppendText(title, ToCp1250(book.topics[t].title));
        links.push_back({{0x02, {}, std::move(title)}, t});
        links.back().body.data1.resize(28);  // filled once every link has its place
        for (const Paragraph& p : book.topics[t].paragraphs) links.push_back({ParagraphLink(p), t});
    }
    std::vector<std::vector<std::size_t>> blocks;
    PlaceLinks(links, blocks);

    TopicFile file;
    for (std::size_t i = 0, n = 0; i < links.size(); ++i) {
        if (links[i].body.type != 0x02) continue;
        links[i].body.data1 = TopicHeaderData1(links, i, static_cast<std::uint32_t>(n++));
        file.topicOffsets.push_back(TopicOffset(links[i].block));
    }
    std::uint32_t lastLink = kNone;
    std::uint32_t lastHeader = kNone;
    for (const std::vector<std::size_t>& block : blocks) {
        Bytes data;
        for (std::size_t i : block) Append(data, SerializeLink(links, i));
        std::size_t start = file.bytes.size();
        AppendU32Le(file.bytes, lastLink);
        AppendU32Le(file.bytes, links[block.front()].Pos());
        AppendU32Le(file.bytes, lastHeader);
        Append(file.bytes, Lz77Literals(data));
        file.bytes.resize(start + kBlockSize, 0);
        for (std::size_t i : block) {
            lastLink = links[i].Pos();
            if (links[i].body.type == 0x02) lastHeader = lastLink;
        }
    }
    return file;
}

void AppendCString(Bytes& out, const std::string& cp1250) {
    AppendText(out, cp1250);
    out.push_back(0);
}

void AppendSystemRecord(Bytes& out, std::uint16_t type, const Bytes& data) {
    AppendU16Le(out, type);
    AppendU16Le(out, static_cast<std::uint16_t>(data.size()));
    Append(out, data);
}

Bytes SystemFile(const HelpBook& book, std::uint32_t contentsOffset) {
    Bytes out;
    AppendU16Le(out, 0x036C);
    AppendU16Le(out, 21);  // the format of Help Compiler 3.1
    AppendU16Le(out, 1);
    AppendU32Le(out, 0x3A000000);  // a fixed date keeps builds identical
    AppendU16Le(out, 4);           // LZ77-compressed 4 KB topic blocks
    Bytes title;
    AppendCString(title, ToCp1250(book.title));
    AppendSystemRecord(out, 1, title);
    Bytes contents;
    AppendU32Le(contents, contentsOffset);
    AppendSystemRecord(out, 3, contents);
    Bytes charset;
    AppendU16Le(charset, kCharsetCentralEurope);
    AppendSystemRecord(out, 11, charset);
    return out;
}

Bytes FontFile() {
    constexpr std::size_t kFaceLength = 20;
    Bytes out;
    AppendU16Le(out, 1);  // face names
    AppendU16Le(out, 3);  // descriptors
    AppendU16Le(out, 8);
    AppendU16Le(out, static_cast<std::uint16_t>(8 + kFaceLength));
    std::string face = "Arial";
    face.resize(kFaceLength, '\0');
    AppendText(out, face);
    struct Descriptor {
        std::uint8_t attributes, halfPoints, red, green, blue;
    };
    for (Descriptor d : {Descriptor{0, 20, 0, 0, 0}, Descriptor{1, 22, 0, 0, 0}, Descriptor{1, 28, 0, 0, 128}}) {
        out.insert(out.end(), {d.attributes, d.halfPoints, 3 /* swiss */, 0, 0, d.red, d.green, d.blue, 255, 255, 255});
    }
    return out;
}

// A B+ tree small enough for one leaf page, entries already in key order.
Bytes SingleLeafTree(const char* structure, std::uint16_t pageSize, bool directory, const std::vector<Bytes>& entries) {
    Bytes page;
    for (const Bytes& e : entries) Append(page, e);
    if (page.size() + 8 > pageSize) throw HelpWriteError(std::string("too many entries for a tree of ") + structure);
    Bytes out;
    AppendU16Le(out, 0x293B);
    AppendU16Le(out, directory ? 0x0402 : 0x0002);
    AppendU16Le(out, pageSize);
    std::string s = structure;
    s.resize(16, '\0');
    AppendText(out, s);
    for (std::uint16_t v : {0, 0, 0, 0xFFFF, 1, 1}) AppendU16Le(out, v);  // zero, splits, root, -1, pages, levels
    AppendU32Le(out, static_cast<std::uint32_t>(entries.size()));
    AppendU16Le(out, static_cast<std::uint16_t>(pageSize - 8 - page.size()));
    AppendU16Le(out, static_cast<std::uint16_t>(entries.size()));
    AppendU16Le(out, 0xFFFF);
    AppendU16Le(out, 0xFFFF);
    Append(out, page);
    out.resize(38 + pageSize, 0);
    return out;
}

Bytes ContextFile(const HelpBook& book, const std::vector<std::uint32_t>& offsets) {
    std::map<std::int32_t, std::uint32_t> byHash;  // WinHelp compares the hashes as signed
    for (std::size_t t = 0; t < book.topics.size(); ++t) {
        auto hash = static_cast<std::int32_t>(ContextHash(book.topics[t].context));
        if (!byHash.emplace(hash, offsets[t]).second) {
            throw HelpWriteError("context \"" + book.topics[t].context + "\" has the hash of another");
        }
    }
    std::vector<Bytes> entries;
    for (auto [hash, offset] : byHash) {
        entries.emplace_back();
        AppendI32Le(entries.back(), hash);
        AppendU32Le(entries.back(), offset);
    }
    return SingleLeafTree("L4", 2048, false, entries);
}

Bytes TitleFile(const HelpBook& book, const std::vector<std::uint32_t>& offsets) {
    std::vector<Bytes> entries;
    for (std::size_t t = 0; t < book.topics.size(); ++t) {
        entries.emplace_back();
        AppendU32Le(entries.back(), offsets[t]);
        AppendCString(entries.back(), ToCp1250(book.topics[t].title));
    }
    return SingleLeafTree("Lz", 2048, false, entries);
}

void AppendInternalFile(Bytes& out, const Bytes& data) {
    AppendU32Le(out, static_cast<std::uint32_t>(data.size() + 9));
    AppendU32Le(out, static_cast<std::uint32_t>(data.size()));
    out.push_back(4);
    Append(out, data);
}

}  // namespace

std::uint32_t ContextHash(std::string_view name) {
    std::uint32_t hash = 0;
    for (char c : name) {
        std::uint32_t x = 0;
        if (c >= 'A' && c <= 'Z') x = c - 'A' + 17;
        if (c >= 'a' && c <= 'z') x = c - 'a' + 17;
        if (c >= '1' && c <= '9') x = c - '0';
        if (c == '0') x = 10;
        if (c == '.') x = 12;
        if (c == '_') x = 13;
        if (x) hash = hash * 43 + x;
    }
    return hash;
}

std::vector<std::uint8_t> WriteHelpFile(const HelpBook& book) {
    TopicFile topic = BuildTopicFile(book);
    // The directory lists the files by name, in strcmp order.
    const std::map<std::string, Bytes> files = {
        {"|CONTEXT", ContextFile(book, topic.topicOffsets)},       {"|FONT", FontFile()},
        {"|SYSTEM", SystemFile(book, topic.topicOffsets.front())}, {"|TOPIC", std::move(topic.bytes)},
        {"|TTLBTREE", TitleFile(book, topic.topicOffsets)},
    };
    Bytes out(16, 0);
    std::vector<Bytes> entries;
    for (const auto& [name, data] : files) {
        entries.emplace_back();
        AppendCString(entries.back(), name);
        AppendU32Le(entries.back(), static_cast<std::uint32_t>(out.size()));
        AppendInternalFile(out, data);
    }
    auto directory = static_cast<std::uint32_t>(out.size());
    AppendInternalFile(out, SingleLeafTree("z4", 1024, true, entries));
    Bytes header;
    AppendU32Le(header, 0x00035F3F);
    AppendU32Le(header, directory);
    AppendU32Le(header, kNone);  // no free blocks
    AppendU32Le(header, static_cast<std::uint32_t>(out.size()));
    std::copy(header.begin(), header.end(), out.begin());
    return out;
}

}  // namespace kelbo::hlpc
