#pragma once

#include <QDialog>

class QLabel;

namespace tw::app {

inline constexpr const char* kProductVersion = "R17A05";
inline constexpr const char* kFileVersion = "R17A05";

// "Product Version = R17A05 : File Version = R17A05"
QString aboutText();

// The modal About box: icon, one line of version text, OK.
class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(QWidget* parent);
    QString text() const;

  private:
    QLabel* text_;
};

}  // namespace tw::app
