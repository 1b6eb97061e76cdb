#pragma once

#include <QWidget>

// The working window: inputs of an assessment, calculate, stopwatch, profiles, banner.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);

    // Design caption; the load routine appends VersionString().
    static QString designCaption();

private:
    void Form_Load();
};
