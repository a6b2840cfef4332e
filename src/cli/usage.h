#pragma once
// The help of qrvctl: the usage of every verb, of one verb, and the version.
#include "verb_table.h"

#include <cstdio>

namespace qrv::cli {

void PrintUsage(std::FILE* out);
void PrintVerbUsage(std::FILE* out, const CVerb& verb);
void PrintVersion(std::FILE* out);

} // namespace qrv::cli
