#include "cli/WriterFactory.h"

#include "objects/ObjectFileWriters.h"

namespace orvane {

std::unique_ptr<ObjectFileWriter> makeObjectFileWriter() { return std::make_unique<ObjectFileWriters>(); }

}  // namespace orvane
