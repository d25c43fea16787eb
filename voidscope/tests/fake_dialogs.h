// Answers the window's questions in tests, and records its error boxes.
#pragma once

#include <QStringList>
#include <functional>
#include <optional>

#include "UnitMain.h"
#include "dialogs.h"

struct TFakeDialogs : TDialogs {
  std::optional<QString> openAnswer;  // nullopt: the user cancels
  std::optional<QString> saveAnswer;
  std::optional<QString> dbgAnswer;
  std::optional<QString> cdlAnswer;
  std::optional<QString> labelsAnswer;
  QStringList errors;
  int saveQuestions = 0;

  bool ExecuteOpenNES(QWidget*, QString& fileName) override {
    if (!openAnswer) return false;
    fileName = *openAnswer;
    return true;
  }
  bool ExecuteSaveReport(QWidget*, QString& fileName) override {
    ++saveQuestions;
    if (!saveAnswer) return false;
    fileName = *saveAnswer;
    return true;
  }
  bool ExecuteOpenDbg(QWidget*, QString& fileName) override {
    if (!dbgAnswer) return false;
    fileName = *dbgAnswer;
    return true;
  }
  bool ExecuteOpenCdl(QWidget*, QString& fileName) override {
    if (!cdlAnswer) return false;
    fileName = *cdlAnswer;
    return true;
  }
  bool ExecuteOpenLabels(QWidget*, QString& fileName) override {
    if (!labelsAnswer) return false;
    fileName = *labelsAnswer;
    return true;
  }
  void ShowError(QWidget*, const QString& message) override { errors << message; }
};

inline QString Q(const std::string& text) { return QString::fromStdString(text); }
