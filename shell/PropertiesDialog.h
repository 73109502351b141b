// "Edit SWF Movie Properties": width, height and frame rate, validated on accept.
#pragma once

#include <QDialog>
#include <QLineEdit>

#include "movie/MovieRewriter.h"

namespace orvane {

class MessageSink;
class ScanResult;

class PropertiesDialog : public QDialog {
  Q_OBJECT

 public:
  PropertiesDialog(const ScanResult& scan, MessageSink& messages, QWidget* parent = nullptr);

  /// The accepted values.
  const MovieProperties& properties() const { return m_properties; }
  QLineEdit* field(PropertyField which) const;

  /// "Change Properties": accepts only valid values, else shows the problem and stays open
  /// on the field.
  void accept() override;

 private:
  MessageSink& m_messages;
  QLineEdit* m_width;
  QLineEdit* m_height;
  QLineEdit* m_frameRate;
  MovieProperties m_properties;
};

}  // namespace orvane
