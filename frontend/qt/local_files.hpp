// Paths between Qt's text and the engine's bytes, and files dropped from a file manager.
#pragma once

#include <QFile>
#include <QMimeData>
#include <QString>
#include <QUrl>
#include <string>

namespace orbisk {

inline std::string ToPath(const QString& text) { return QFile::encodeName(text).toStdString(); }

inline QString FromPath(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

// Whether a drag carries a file of this computer; the first one is what a drop takes.
inline bool CarriesALocalFile(const QMimeData* data) {
  const QList<QUrl> urls = data->urls();
  return !urls.isEmpty() && urls.constFirst().isLocalFile();
}

inline QString DroppedFile(const QMimeData* data) { return data->urls().constFirst().toLocalFile(); }

}  // namespace orbisk
