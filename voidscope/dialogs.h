// The window's modal questions and its error box, behind one seam so that
// tests can answer them without a person.
#pragma once

#include <QString>

class QWidget;

class TDialogs {
 public:
  virtual ~TDialogs() = default;
  // OpenDialogNES: true when the user confirms; fileName is the current
  // name on entry and the chosen one on return.
  virtual bool ExecuteOpenNES(QWidget* owner, QString& fileName) = 0;
  // SavePictureDialogReport: true and the chosen name when confirmed.
  virtual bool ExecuteSaveReport(QWidget* owner, QString& fileName) = 0;
  // Another debug file for the image: true and the chosen name when confirmed.
  virtual bool ExecuteOpenDbg(QWidget* owner, QString& fileName) = 0;
  // Another play log to merge: true and the chosen name when confirmed.
  virtual bool ExecuteOpenCdl(QWidget* owner, QString& fileName) = 0;
  // Another label file for the image: true and the chosen name when confirmed.
  virtual bool ExecuteOpenLabels(QWidget* owner, QString& fileName) = 0;
  // The application's standard error box.
  virtual void ShowError(QWidget* owner, const QString& message) = 0;
};

// The real dialogs.
class TQtDialogs : public TDialogs {
 public:
  bool ExecuteOpenNES(QWidget* owner, QString& fileName) override;
  bool ExecuteSaveReport(QWidget* owner, QString& fileName) override;
  bool ExecuteOpenDbg(QWidget* owner, QString& fileName) override;
  bool ExecuteOpenCdl(QWidget* owner, QString& fileName) override;
  bool ExecuteOpenLabels(QWidget* owner, QString& fileName) override;
  void ShowError(QWidget* owner, const QString& message) override;
};
