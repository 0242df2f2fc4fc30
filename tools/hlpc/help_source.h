#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kelbo::hlpc {

// A help book as its plain-text source describes it; all text is UTF-8.
//
// The source, line by line:
//   ; a comment
//   title: the help file's title
//   topic CONTEXT: the topic's title      (the first topic is the contents)
//   # a heading
//   * an indented list item
//   any other text: a paragraph; consecutive lines join, a blank line ends it
// Inside text, {shown text|CONTEXT} is a jump to the topic named CONTEXT.

struct Span {
    std::string text;
    std::string target;  // a topic's context name, or empty for plain text
};

enum class ParagraphStyle { Title, Heading, Body, Item };

struct Paragraph {
    ParagraphStyle style = ParagraphStyle::Body;
    std::vector<Span> spans;
};

struct Topic {
    std::string context;
    std::string title;
    std::vector<Paragraph> paragraphs;  // the title paragraph first
};

struct HelpBook {
    std::string title;
    std::vector<Topic> topics;
};

// A source that breaks the rules above; the message names the line.
class HelpSourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Checks that there is a title and a topic, that context names are made of
// letters, digits, '_' and '.', that no two are the same, and that every
// jump leads to a topic. Throws HelpSourceError.
HelpBook ParseHelpSource(std::string_view source);

}  // namespace kelbo::hlpc
