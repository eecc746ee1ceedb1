#pragma once

// Comparisons of C strings in which a null pointer is the empty text.

// True for null or "".
bool IsEmptyString(const char* text);
// strcmp, with null as "": negative, 0 or positive.
int StrCompare(const char* a, const char* b);
// Orders a text against a prefix: 0 when the text starts with the prefix. With an empty prefix,
// 0 for an empty text and 1 otherwise; an empty text before a non-empty prefix gives -1; a
// prefix longer than the text compares as whole texts.
int StrPrefixCompare(const char* text, const char* prefix);
// Equality ignoring ASCII letter case; two empty texts are equal.
bool StrEqualNoCase(const char* a, const char* b);
