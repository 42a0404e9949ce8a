// Small helpers shared by the Qt Test suites: whole files, and a window's named controls.
#pragma once

#include <QFile>
#include <QTest>
#include <QWidget>

namespace orbisk::testing {

inline void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QCOMPARE(file.write(bytes), bytes.size());
}

// The file's bytes, or "<missing>".
inline QByteArray Read(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<missing>";
  return file.readAll();
}

// The control of `window` named `name`; a test cannot go on without it.
template <typename T>
T* Control(QWidget* window, const char* name) {
  T* control = window->findChild<T*>(QString::fromLatin1(name));
  if (control == nullptr) qFatal("no control %s", name);
  return control;
}

}  // namespace orbisk::testing
