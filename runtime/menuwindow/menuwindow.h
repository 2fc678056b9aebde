#pragma once

#include <QWidget>

class RuntimeContext;

// The menu window of the runtime, built from the project copy.
class TForm1 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm1(RuntimeContext &context, QWidget *parent = nullptr);

private:
    void FormCreate();

    RuntimeContext &m_context;
};
