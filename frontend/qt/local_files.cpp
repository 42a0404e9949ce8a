// File names between Qt's text and the engine's bytes.
#include "local_files.hpp"

#include <dirent.h>

#include <QLineEdit>
#include <QUrl>
#include <memory>
#include <vector>

namespace orbisk {
namespace {

constexpr char kPathProperty[] = "orbiskPath";
constexpr char kShownProperty[] = "orbiskShown";

// The entries of `folder` ("" for the root) whose name reads as `part`.
std::vector<std::string> EntriesReadingAs(const std::string& folder, const QString& part) {
  std::vector<std::string> found;
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(
      ::opendir(folder.empty() ? "/" : folder.c_str()), &::closedir);
  if (!listing) return found;
  while (const dirent* entry = ::readdir(listing.get())) {
    const std::string name = entry->d_name;
    if (FromPath(name) == part) found.push_back(name);
  }
  return found;
}

}  // namespace

std::string ToPath(const QString& text) { return text.toUtf8().toStdString(); }

QString FromPath(const std::string& path) {
  return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

std::string ChosenPath(const QString& chosen) {
  if (!chosen.contains(QChar::ReplacementCharacter)) return ToPath(chosen);
  std::string path;
  const QStringList parts = chosen.split(QLatin1Char('/'));
  for (qsizetype i = 0; i < parts.size(); ++i) {
    const QString& part = parts[i];
    std::string bytes = ToPath(part);
    if (part.contains(QChar::ReplacementCharacter)) {
      const std::vector<std::string> found = EntriesReadingAs(path, part);
      if (found.size() == 1) bytes = found[0];
    }
    path += (i == 0 ? "" : "/") + bytes;
  }
  return path;
}

bool CarriesALocalFile(const QMimeData* data) {
  const QList<QUrl> urls = data->urls();
  return !urls.isEmpty() && urls.constFirst().isLocalFile();
}

std::string DroppedPath(const QMimeData* data) {
  const QUrl url = data->urls().constFirst();
  return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

void SetPathField(QLineEdit* field, const std::string& path) {
  const QString shown = FromPath(path);
  field->setText(shown);
  field->setProperty(kPathProperty, QByteArray::fromStdString(path));
  field->setProperty(kShownProperty, shown);
}

std::string PathInField(const QLineEdit* field) {
  const QVariant path = field->property(kPathProperty);
  if (path.isValid() && field->property(kShownProperty).toString() == field->text()) {
    return path.toByteArray().toStdString();
  }
  return ToPath(field->text());
}

}  // namespace orbisk
