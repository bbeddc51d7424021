#pragma once

#include <QDialog>
#include <vector>

#include "view/compare.h"

class QCheckBox;
class QLabel;
class QTableWidget;

namespace tw::app {

// Every field of one kind of data with the page's value and the file's side by side: the
// fields that differ are marked, and a switch hides the others.
class CompareDialog : public QDialog {
    Q_OBJECT
  public:
    CompareDialog(const std::vector<ComparedValue>& page, const std::vector<ComparedValue>& file,
                  const QString& fileName, QWidget* parent);

    QTableWidget* table() const { return table_; }
    QCheckBox* onlyDifferences() const { return only_; }
    QLabel* summary() const { return summary_; }

  private:
    void showRows();

    QTableWidget* table_ = nullptr;
    QCheckBox* only_ = nullptr;
    QLabel* summary_ = nullptr;
    std::vector<bool> differs_;
};

// A text view of lines, read only: the service record of a radio's history copies.
QDialog* createLinesDialog(const QString& title, const std::vector<std::string>& lines,
                           QWidget* parent);

}  // namespace tw::app
