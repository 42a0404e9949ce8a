// File names between Qt's text and the engine's bytes. On Linux a name is bytes, which need
// not be UTF-8: the windows keep the bytes they were given (on the command line, by a drop,
// from the file dialog) and show them readably.
#pragma once

#include <QMimeData>
#include <QString>
#include <string>

class QLineEdit;

namespace orbisk {

// A name typed or shown, as bytes: its UTF-8.
std::string ToPath(const QString& text);
// Bytes as a name to show: what is not UTF-8 shows as "�".
QString FromPath(const std::string& path);

// A name a Qt dialog chose. Qt reads names that are not UTF-8 with "�" in them; each part
// of the path that has one is looked up among its folder's entries, and the one entry that
// reads the same gives the real bytes.
std::string ChosenPath(const QString& chosen);

// Whether a drag carries a file of this computer; the first one is what a drop takes.
bool CarriesALocalFile(const QMimeData* data);
// The first file a drop carries, its name as bytes, as the URL holds them.
std::string DroppedPath(const QMimeData* data);

// A text field that holds a file name: set from bytes, it gives those bytes back until the
// user changes its text; then the bytes of what they typed.
void SetPathField(QLineEdit* field, const std::string& path);
std::string PathInField(const QLineEdit* field);

}  // namespace orbisk
