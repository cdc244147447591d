#pragma once
// A token splitter that keeps its position in the caller's cursor, so two splits can run interleaved
// over different texts (the value reader splits a format and a record value at the same time).
//
// splitToken(text, separators, &cursor) starts a split of the text; splitToken(nullptr, separators,
// &cursor) continues it. Leading separators are skipped; the token runs to the next separator, which
// is overwritten with 0. Answers the token's start, or null at the end of the text.
char* splitToken(char* text, const char* separators, char** cursor);
