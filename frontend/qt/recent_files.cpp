// The desktop's list of recent files (recently-used.xbel), read and brought up to date.
#include "recent_files.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <utility>
#include <vector>

namespace orbisk {
namespace {

const QString kBookmarkNs =
    QStringLiteral("http://www.freedesktop.org/standards/desktop-bookmarks");
const QString kMimeNs = QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info");
const QString kApplication = QStringLiteral("Orbisk");

QString Stamp(const QDateTime& when) { return when.toUTC().toString(Qt::ISODateWithMs); }

bool IsBookmark(const QXmlStreamReader& in) {
  return in.namespaceUri().isEmpty() && in.name() == QLatin1String("bookmark");
}
bool IsOf(const QXmlStreamReader& in, const QString& ns, const char* name) {
  return in.namespaceUri() == ns && in.name() == QLatin1String(name);
}
bool IsOurApplication(const QXmlStreamReader& in) {
  return IsOf(in, kBookmarkNs, "application") &&
         in.attributes().value(QLatin1String("name")) == kApplication;
}

// The element being read, written again with `changed` in place of the attributes of the
// same names, added where it had none of them.
void WriteChanged(QXmlStreamWriter& out, const QXmlStreamReader& in,
                  const std::vector<std::pair<QString, QString>>& changed) {
  out.writeStartElement(in.namespaceUri().toString(), in.name().toString());
  for (const QXmlStreamNamespaceDeclaration& declared : in.namespaceDeclarations()) {
    out.writeNamespace(declared.namespaceUri().toString(), declared.prefix().toString());
  }
  std::vector<bool> written(changed.size(), false);
  for (const QXmlStreamAttribute& attribute : in.attributes()) {
    const auto found = std::find_if(changed.begin(), changed.end(), [&](const auto& change) {
      return attribute.namespaceUri().isEmpty() && attribute.name() == change.first;
    });
    if (found == changed.end()) {
      out.writeAttribute(attribute);
      continue;
    }
    out.writeAttribute(found->first, found->second);
    written[static_cast<std::size_t>(found - changed.begin())] = true;
  }
  for (std::size_t i = 0; i < changed.size(); ++i) {
    if (!written[i]) out.writeAttribute(changed[i].first, changed[i].second);
  }
}

void WriteApplication(QXmlStreamWriter& out, const QString& stamp) {
  out.writeEmptyElement(kBookmarkNs, QStringLiteral("application"));
  out.writeAttribute(QStringLiteral("name"), kApplication);
  out.writeAttribute(QStringLiteral("exec"), QStringLiteral("'orbisk %u'"));
  out.writeAttribute(QStringLiteral("modified"), stamp);
  out.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
}

void WriteInfo(QXmlStreamWriter& out, const QString& mimeType, const QString& stamp) {
  out.writeStartElement(QStringLiteral("info"));
  out.writeStartElement(QStringLiteral("metadata"));
  out.writeAttribute(QStringLiteral("owner"), QStringLiteral("http://freedesktop.org"));
  out.writeEmptyElement(kMimeNs, QStringLiteral("mime-type"));
  out.writeAttribute(QStringLiteral("type"), mimeType);
  out.writeStartElement(kBookmarkNs, QStringLiteral("applications"));
  WriteApplication(out, stamp);
  out.writeEndElement();
  out.writeEndElement();
  out.writeEndElement();
}

void WriteBookmark(QXmlStreamWriter& out, const QString& href, const QString& mimeType,
                   const QString& stamp) {
  out.writeStartElement(QStringLiteral("bookmark"));
  out.writeAttribute(QStringLiteral("href"), href);
  for (const char* time : {"added", "modified", "visited"}) {
    out.writeAttribute(QLatin1String(time), stamp);
  }
  WriteInfo(out, mimeType, stamp);
  out.writeEndElement();
}

QByteArray NewList(const QString& href, const QString& mimeType, const QString& stamp) {
  QByteArray bytes;
  QXmlStreamWriter out(&bytes);
  out.setAutoFormatting(true);
  out.writeStartDocument();
  out.writeStartElement(QStringLiteral("xbel"));
  out.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
  out.writeNamespace(kBookmarkNs, QStringLiteral("bookmark"));
  out.writeNamespace(kMimeNs, QStringLiteral("mime"));
  WriteBookmark(out, href, mimeType, stamp);
  out.writeEndDocument();
  return bytes;
}

// When Orbisk used each file its entries name, in the list's order.
std::vector<std::pair<QDateTime, QString>> OurUses(const QByteArray& xbel) {
  std::vector<std::pair<QDateTime, QString>> used;
  QXmlStreamReader in(xbel);
  QString file;
  while (!in.atEnd()) {
    if (in.readNext() != QXmlStreamReader::StartElement) continue;
    if (IsBookmark(in)) {
      file = QUrl(in.attributes().value(QLatin1String("href")).toString()).toLocalFile();
    } else if (!file.isEmpty() && IsOurApplication(in)) {
      used.emplace_back(
          QDateTime::fromString(in.attributes().value(QLatin1String("modified")).toString(),
                                Qt::ISODateWithMs),
          file);
    }
  }
  return used;
}

QDateTime LatestUse(const QByteArray& xbel) {
  QDateTime latest;
  for (const auto& [when, path] : OurUses(xbel)) {
    if (when.isValid() && (!latest.isValid() || when > latest)) latest = when;
  }
  return latest;
}

}  // namespace

QString RecentFilesPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/recently-used.xbel");
}

QByteArray WithRecentFile(const QByteArray& xbel, const QString& path, const QString& mimeType,
                          const QDateTime& when) {
  const QString href = QString::fromUtf8(QUrl::fromLocalFile(path).toEncoded());
  // The list is read in the order of these times: two files used within the same
  // millisecond must still come out latest first.
  const QDateTime latest = LatestUse(xbel);
  const QString stamp = Stamp(latest.isValid() && latest >= when ? latest.addMSecs(1) : when);
  if (xbel.trimmed().isEmpty()) return NewList(href, mimeType, stamp);
  QXmlStreamReader in(xbel);
  QByteArray bytes;
  QXmlStreamWriter out(&bytes);
  bool inOurs = false;    // within the file's own entry
  bool ourEntry = false;  // the file had an entry
  bool ourApplication = false;
  while (!in.atEnd()) {
    switch (in.readNext()) {
      case QXmlStreamReader::StartElement:
        if (IsBookmark(in) &&
            QUrl(in.attributes().value(QLatin1String("href")).toString()).toLocalFile() == path) {
          inOurs = ourEntry = true;
          WriteChanged(out, in,
                       {{QStringLiteral("modified"), stamp}, {QStringLiteral("visited"), stamp}});
        } else if (inOurs && IsOurApplication(in)) {
          ourApplication = true;
          const int count = in.attributes().value(QLatin1String("count")).toInt();
          WriteChanged(out, in,
                       {{QStringLiteral("modified"), stamp},
                        {QStringLiteral("count"), QString::number(std::max(count, 0) + 1)}});
        } else {
          out.writeCurrentToken(in);
        }
        break;
      case QXmlStreamReader::EndElement:
        if (inOurs && !ourApplication && IsOf(in, kBookmarkNs, "applications")) {
          WriteApplication(out, stamp);
          ourApplication = true;
        } else if (inOurs && IsBookmark(in)) {
          if (!ourApplication) WriteInfo(out, mimeType, stamp);
          inOurs = false;
        } else if (!ourEntry && in.namespaceUri().isEmpty() && in.name() == QLatin1String("xbel")) {
          WriteBookmark(out, href, mimeType, stamp);
          ourEntry = true;
        }
        out.writeCurrentToken(in);
        break;
      default: out.writeCurrentToken(in);
    }
  }
  // A list that cannot be read is left to whoever wrote it: nothing is written over it.
  if (in.hasError() || !ourEntry) return {};
  return bytes;
}

QStringList RecentFilesIn(const QByteArray& xbel) {
  std::vector<std::pair<QDateTime, QString>> used = OurUses(xbel);
  std::stable_sort(used.begin(), used.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  QStringList files;
  for (const auto& [when, path] : used) {
    if (!files.contains(path)) files << path;
  }
  return files;
}

void RememberRecentFile(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  const QString list = RecentFilesPath();
  QFile existing(list);
  QByteArray xbel;
  if (existing.exists()) {
    if (!existing.open(QIODevice::ReadOnly)) return;
    xbel = existing.readAll();
  }
  const QString mimeType =
      QMimeDatabase().mimeTypeForFile(absolute, QMimeDatabase::MatchExtension).name();
  const QByteArray updated =
      WithRecentFile(xbel, absolute, mimeType, QDateTime::currentDateTimeUtc());
  if (updated.isEmpty() || !QDir().mkpath(QFileInfo(list).absolutePath())) return;
  QSaveFile saved(list);
  if (!saved.open(QIODevice::WriteOnly)) return;
  saved.write(updated);
  saved.commit();
}

QStringList RecentFiles(int count) {
  QFile list(RecentFilesPath());
  if (!list.open(QIODevice::ReadOnly)) return {};
  QStringList existing;
  for (const QString& path : RecentFilesIn(list.readAll())) {
    if (existing.size() == count) break;
    if (QFileInfo::exists(path)) existing << path;
  }
  return existing;
}

}  // namespace orbisk
