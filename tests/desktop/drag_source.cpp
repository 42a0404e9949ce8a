// A window to drag a file from, as a file manager would: pressing the mouse in it starts a
// drag of the file named on its command line, and says on its standard output "dragging",
// then "accepted" once a target accepts it; it ends a moment after the drag does, with
// status 0 when the file was taken.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <cstdio>

class DragSource : public QWidget {
 public:
  explicit DragSource(QString path) : path_(std::move(path)) {
    setWindowTitle(QStringLiteral("drag source"));
  }

 protected:
  void mousePressEvent(QMouseEvent*) override {
    auto* drag = new QDrag(this);
    auto* files = new QMimeData;
    files->setUrls({QUrl::fromLocalFile(path_)});
    drag->setMimeData(files);
    // The target's answer to where the pointer is: the drop may be made once it accepts.
    connect(drag, &QDrag::actionChanged, this, [](Qt::DropAction action) {
      if (action != Qt::CopyAction) return;
      std::fputs("accepted\n", stdout);
      std::fflush(stdout);
    });
    std::fputs("dragging\n", stdout);
    std::fflush(stdout);
    const Qt::DropAction done = drag->exec(Qt::CopyAction);
    // The target may still ask for the data once the drop is made: stay a moment.
    QTimer::singleShot(1000, [done] { QApplication::exit(done == Qt::CopyAction ? 0 : 1); });
  }

 private:
  QString path_;
};

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) return 2;
  DragSource source(QString::fromLocal8Bit(argv[1]));
  source.setGeometry(900, 100, 200, 200);
  source.show();
  return QApplication::exec();
}
