// RegistryBaseline.h - the registry reads that the COM and file-type scans
// make, made straight against the platform in the same order, with no file
// test and no report: the floor under what those scans can cost.
#pragma once

void ReadComRegistrations();
void ReadFileTypeRegistrations();
