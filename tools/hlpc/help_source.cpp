#include "help_source.h"

#include <algorithm>
#include <set>

#include "core/text_encoding.h"

namespace kelbo::hlpc {

namespace {

[[noreturn]] void Fail(int line, const std::string& why) {
    throw HelpSourceError("line " + std::to_string(line) + ": " + why);
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool ValidContext(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
    });
}

// Splits a paragraph's text into plain runs and {text|CONTEXT} jumps.
std::vector<Span> ParseSpans(std::string_view text, int line) {
    std::vector<Span> spans;
    while (!text.empty()) {
        std::size_t open = text.find('{');
        if (open == std::string_view::npos) open = text.size();
        if (text.substr(0, open).find('}') != std::string_view::npos) Fail(line, "'}' without '{'");
        if (open > 0) spans.push_back({std::string(text.substr(0, open)), {}});
        if (open == text.size()) break;
        std::size_t close = text.find('}', open);
        if (close == std::string_view::npos) Fail(line, "'{' without '}'");
        std::string_view jump = text.substr(open + 1, close - open - 1);
        std::size_t bar = jump.rfind('|');
        if (bar == std::string_view::npos || bar == 0) Fail(line, "a jump needs {text|CONTEXT}");
        std::string_view target = Trim(jump.substr(bar + 1));
        if (!ValidContext(target)) Fail(line, "bad context name \"" + std::string(target) + "\"");
        spans.push_back({std::string(jump.substr(0, bar)), std::string(target)});
        text.remove_prefix(close + 1);
    }
    return spans;
}

class Parser {
public:
    HelpBook Run(std::string_view source);

private:
    void Line(std::string_view line);
    void StartTopic(std::string_view rest);
    void FlushParagraph();
    void CheckJumps() const;

    HelpBook book_;
    int line_ = 0;
    int paragraphLine_ = 0;
    ParagraphStyle style_ = ParagraphStyle::Body;
    std::string pending_;
    std::vector<std::pair<std::string, int>> jumps_;  // target, line
};

HelpBook Parser::Run(std::string_view source) {
    while (!source.empty()) {
        std::size_t end = std::min(source.find('\n'), source.size());
        ++line_;
        Line(Trim(source.substr(0, end)));
        source.remove_prefix(std::min(end + 1, source.size()));
    }
    FlushParagraph();
    if (book_.title.empty()) throw HelpSourceError("the source has no \"title:\" line");
    if (book_.topics.empty()) throw HelpSourceError("the source has no topic");
    CheckJumps();
    return std::move(book_);
}

void Parser::Line(std::string_view line) {
    if (line.starts_with(';')) return;
    if (line.empty()) return FlushParagraph();
    if (line.starts_with("title:")) {
        FlushParagraph();
        book_.title = Trim(line.substr(6));
        return;
    }
    if (line.starts_with("topic ")) {
        FlushParagraph();
        return StartTopic(line.substr(6));
    }
    if (book_.topics.empty()) Fail(line_, "text before the first topic");
    if (line.starts_with("# ") || line.starts_with("* ")) {
        FlushParagraph();
        style_ = line[0] == '#' ? ParagraphStyle::Heading : ParagraphStyle::Item;
        line = Trim(line.substr(2));
    }
    if (pending_.empty()) paragraphLine_ = line_;
    if (!pending_.empty()) pending_ += ' ';
    pending_ += line;
}

void Parser::StartTopic(std::string_view rest) {
    std::size_t colon = rest.find(':');
    if (colon == std::string_view::npos) Fail(line_, "a topic needs \"topic CONTEXT: Title\"");
    std::string context(Trim(rest.substr(0, colon)));
    std::string title(Trim(rest.substr(colon + 1)));
    if (!ValidContext(context)) Fail(line_, "bad context name \"" + context + "\"");
    if (title.empty()) Fail(line_, "the topic has no title");
    for (const Topic& t : book_.topics) {
        if (EqualsIgnoreCase(t.context, context)) Fail(line_, "context \"" + context + "\" is used twice");
    }
    book_.topics.push_back({context, title, {{ParagraphStyle::Title, {{title, {}}}}}});
}

void Parser::FlushParagraph() {
    if (!pending_.empty()) {
        std::vector<Span> spans = ParseSpans(pending_, paragraphLine_);
        for (const Span& s : spans) {
            if (!s.target.empty()) jumps_.emplace_back(s.target, paragraphLine_);
        }
        book_.topics.back().paragraphs.push_back({style_, std::move(spans)});
    }
    pending_.clear();
    style_ = ParagraphStyle::Body;
}

void Parser::CheckJumps() const {
    for (const auto& [target, line] : jumps_) {
        bool found = std::any_of(book_.topics.begin(), book_.topics.end(),
                                 [&](const Topic& t) { return EqualsIgnoreCase(t.context, target); });
        if (!found) Fail(line, "jump to unknown topic \"" + target + "\"");
    }
}

}  // namespace

HelpBook ParseHelpSource(std::string_view source) { return Parser().Run(source); }

}  // namespace kelbo::hlpc
