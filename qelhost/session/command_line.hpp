// qelhost's command line: options anywhere among the arguments, -h/--help,
// --version, and usage mistakes told in one line.
#pragma once

#include <string>

struct Options {
    std::string Language = "English";
    long HeapFailAfter = -1; // negative: the heap never fails
    bool ListMessages = false;
    std::string Registry; // --registry FILE: loaded at the start, saved at the end
    std::string Plugin;
    std::string Script; // empty or "-": standard input
};

// Reads the arguments; help and version end the run with status 0, a
// mistake with status 2.
Options ReadOptions(int Count, char** Arguments);

// The folder of a file's path: "." for a bare name.
std::string FolderOf(const std::string& Path);
