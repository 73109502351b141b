#include "movie/ScanStatus.h"

namespace orvane {

std::string statusTitle(ScanStatus status) {
  switch (status) {
    case ScanStatus::Success: return "No Error";
    case ScanStatus::FormatNotSupported: return "ERROR : Format Not Supported";
    case ScanStatus::InvalidFileFormat: return "ERROR : Invalid File Format";
    case ScanStatus::MemoryError: return "ERROR : Memory Allocation Error";
    case ScanStatus::OpenError: return "ERROR : Unable To Open File";
    case ScanStatus::WriteError: return "ERROR : Unable To Write File";
    case ScanStatus::ReadError: return "ERROR : Unable To Read File";
    case ScanStatus::GeneralError: return "ERROR: An Error Occured";
    default: return "ERROR: An Unknown Error has occured";
  }
}

std::string statusText(ScanStatus status, const std::string& errorText) {
  switch (status) {
    case ScanStatus::Success: return "";
    case ScanStatus::FormatNotSupported: return "This format is not supported in this version";
    case ScanStatus::InvalidFileFormat: return "The SWF File is Invalid and can not be scanned";
    case ScanStatus::MemoryError:
      return "Unable to Allocate memory, close some windows to free up some memory";
    case ScanStatus::OpenError: return "Unable to open file, the file may not exist or is read/write only";
    case ScanStatus::WriteError: return "Unable to write to file, Disk may be full";
    case ScanStatus::ReadError: return "Unable to read from file";
    case ScanStatus::GeneralError: return errorText;
    default: return "ERROR : unknown error code has been generated";
  }
}

}  // namespace orvane
