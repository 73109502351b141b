// The object file writers the command-line tool hands to the tag walker.
#pragma once

#include <memory>

#include "movie/ObjectFileWriter.h"

namespace orvane {

std::unique_ptr<ObjectFileWriter> makeObjectFileWriter();

}  // namespace orvane
