#include "cli/CliContext.h"

#include <stdlib.h>

#include <filesystem>
#include <ostream>

#include "abc/AbcObjects.h"
#include "movie/AssetObjects.h"
#include "cli/WriterFactory.h"
#include "platform/TempFolder.h"

namespace orvane {

CliContext::~CliContext() {
  if (m_removeTemp) {
    std::error_code ignored;
    std::filesystem::remove_all(m_tempFolder, ignored);
  }
}

std::optional<std::string> CliContext::tempFolder() {
  if (!m_tempFolder.empty()) return m_tempFolder;
  std::string error;
  if (!requestedTemp.empty()) {
    const auto folder = prepareTempFolder(requestedTemp, error);
    if (!folder) {
      m_err << "orvane-cli: cannot use the temp folder " << error << "\n";
      return std::nullopt;
    }
    m_tempFolder = *folder;
    return m_tempFolder;
  }
  const auto base = privateTempFolder(error);
  if (!base) {
    m_err << "orvane-cli: no private temp folder: " << error << "\n";
    return std::nullopt;
  }
  std::string pattern = *base + "/run-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    m_err << "orvane-cli: cannot create a folder in " << *base << "\n";
    return std::nullopt;
  }
  m_tempFolder = pattern;
  m_removeTemp = true;
  return m_tempFolder;
}

ScanStatus CliContext::scanMovie(const std::string& path, ScanResult& result) {
  const auto folder = tempFolder();
  if (!folder) return ScanStatus::OpenError;
  if (!m_writer) m_writer = makeObjectFileWriter();
  if (!m_walker) m_walker = std::make_unique<TagWalker>(*m_writer, m_sink);
  TagWalker& walker = *m_walker;
  walker.setTempFolder(*folder);
  walker.setResult(&result);
  // Files in a folder given with --temp stay there after the run.
  result.setKeepTemporaryFiles(!m_removeTemp);
  result.clear();
  ScanStatus status = walker.open(path);
  if (status == ScanStatus::Success) {
    walker.copyHeaderInto(result);
    status = walker.scan(flags);
    collectAbcObjects(result);
    numberAssetObjects(result);
  }
  if (status != ScanStatus::Success) reportScanStatus(m_sink, status, walker.errorText());
  return status;
}

PreservationSource CliContext::scannedMovie() const {
  return m_walker ? PreservationSource::of(m_walker->movie()) : PreservationSource{};
}

int CliContext::usage(const std::string& text) {
  m_err << "orvane-cli: " << text << "\n";
  return exitcode::kUsage;
}

void reportScanStatus(MessageSink& sink, ScanStatus status, const std::string& errorText) {
  sink.show({statusTitle(status), statusText(status, errorText), MessageIcon::Error});
}

}  // namespace orvane
