#pragma once
// String helpers of the persistence components and the shell: replacing,
// words, and the XOR codings of the string holder.  Text is Windows-1250.

#include <string>
#include <string_view>

// Every occurrence of search, found left to right in the part not yet
// scanned, is replaced; inserted text is not scanned again.  An empty
// search leaves the text as it is.
std::string StrReplaceAll(std::string_view text, std::string_view search, std::string_view replacement);

// Words are maximal runs of characters not among delimiters.
int CountWords(std::string_view text, std::string_view delimiters);
// 1-based position of the n-th word (n from 1); 0 when there are fewer words.
int WordStartPos(int n, std::string_view text, std::string_view delimiters);
// The n-th word; empty when there is none.
std::string ExtractNthWord(int n, std::string_view text, std::string_view delimiters);

// Character i of text XOR character i mod length of key; a copy when the
// key or the text is empty.
std::string XorShortStr(std::string_view key, std::string_view text);
// Two lower-case hex digits per character, XOR-ed with the key as above.
std::string XorEncodeHex(std::string_view key, std::string_view text);
// The reverse: pairs of hex digits (a trailing single digit is ignored, a
// pair that is not hex stands for 32), each XOR-ed with the key; an empty
// key XORs nothing.
std::string XorDecodeHex(std::string_view key, std::string_view text);
