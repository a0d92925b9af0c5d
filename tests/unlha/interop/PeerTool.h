#pragma once
#include <string>

// Runs another LZH tool as a process. Returns its exit status (or -1 when it
// could not run); its output goes to `logPath`.
int runPeer(const std::string& command, const std::string& logPath);

// Wraps a word in single quotes for the shell.
std::string shellQuoted(const std::string& word);

// The name lhasa gives an extracted file: it takes every name byte as Latin-1
// and converts to the locale's UTF-8, so non-ASCII names come out re-encoded.
std::string lhasaName(const std::string& path);

// The first part of a log, for failure messages.
std::string logText(const std::string& logPath);
