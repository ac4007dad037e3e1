// SyntheticRegistry.h - fills HKEY_CLASSES_ROOT and a folder with class,
// type-library, interface and file-type registrations at scale, and removes
// them again. Every key made carries "HolvaneBench" (or ".hvb") in its name.
#pragma once

#include <string>

struct SyntheticShape {
    unsigned classes = 20000;       // below CLSID
    unsigned serverNames = 2000;    // distinct server files the classes name
    unsigned fileTypeRoots = 5000;  // half extensions, half classes
    unsigned typeLibs = 1000;
    unsigned interfaces = 5000;
};

// The folder the synthetic files live in; its "bin" subfolder is put first on
// the search path, as the system folder is.
std::string SyntheticFolder();

void BuildSyntheticRegistry(const SyntheticShape& shape);
// Removes every synthetic key and file, also those a stopped run left.
void RemoveSyntheticRegistry();

// One line on the proportions of the generated registry.
std::string DescribeShape(const SyntheticShape& shape);

// The synthetic servers named without a path are found in "bin", put first
// on the search path, as the system's own are found in the system folder.
void PutSyntheticBinFirstOnPath();

// Reads the option at argv[*at] when it is name followed by a number, and
// moves *at to the number; false for any other argument.
bool ReadUnsignedOption(int argc, char** argv, int* at, const char* name, unsigned* value);
// The same for the shape's options: --classes, --servers, --file-types,
// --type-libs and --interfaces.
bool ReadShapeOption(int argc, char** argv, int* at, SyntheticShape* shape);
