// The scripts and classes of the ABC tags a scan recorded, listed as objects of the scan.
#pragma once

#include <string>

namespace orvane {

class AbcObject;
class ScanResult;

/// A class object of that qualified name, or of that name alone (the part after the last "::").
bool isClassNamed(const AbcObject& object, const std::string& name);

/// For every ABC tag of every timeline, in tag order: one object per class of its block
/// (in block order, with its qualified name), then one per script, each with the result's
/// next serial. A block that cannot be read whole gives the classes and scripts read before
/// the fault. Call once after each scan: the serials follow those of the walk, which stay
/// as they were. Stops when an object cannot be allocated.
void collectAbcObjects(ScanResult& result);

}  // namespace orvane
