// The archive's rows for the ActionScript 3 classes of one scan.
#pragma once

#include <vector>

#include "archive/ArchiveRecords.h"

namespace orvane {

class ScanResult;

/// One record per class object, in object order: the package and name split from its
/// qualified name at the last "::", its superclass ("*" for none) and its interfaces.
std::vector<ClassRecord> classRecords(const ScanResult& result);

}  // namespace orvane
