#pragma once
// A button that is only its picture, with a hand cursor.

#include <QAbstractButton>
#include <QPixmap>

namespace paylog {

class PictureButton : public QAbstractButton {
    Q_OBJECT
  public:
    PictureButton(const QPixmap& picture, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap picture_;
};

}  // namespace paylog
