#pragma once
#include "employee/EmployeeStore.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ulk {

// frmPsychUdaj: the modal window in which a new employee is entered or an
// existing one edited. It opens in the record mode, key and caption that the
// main window leaves in the shared state.
class EmployeeWindow : public QDialog {
    Q_OBJECT
public:
    // NothingStored: the window holds no record to enter or edit (record
    // mode neither 1 nor 2); nothing was written.
    enum SaveResult {
        Saved = 0,
        FirstNameMissing = 1,
        SurnameMissing = 2,
        JobFunctionInvalid = 3,
        Failed = 4,
        NothingStored = 5
    };

    explicit EmployeeWindow(const QString &programDirectory, QWidget *parent = nullptr);

    static QColor background() { return {206, 206, 232}; }
    static QColor buttonColour() { return {157, 157, 206}; }

public slots:
    // Esc and the close box act as "Storno".
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void loadRecord();
    void clearForNewRecord();
    void onSave();
    void onSaveAndNew();
    void storno();
    SaveResult saveEmployee();
    void storeEmployeeOptions(EmployeeRecord &record) const;
    void focusAfterRefusal(SaveResult result);
    bool clickComesThrough() const;
    // What "Zápis" and "Zápis + nový" do first: true once the record is
    // written; a refused save puts the focus where it was refused.
    bool saveOnClick();

    void capitaliseFirstLetter(QLineEdit *field);
    bool nameFieldKey(int index, int key);
    // Index of the job function whose name the picker holds (any letter
    // case), or -1.
    int matchingJobFunction() const;
    // Picker check: sets the stored name, or refuses and keeps the picker.
    bool checkJobFunction();
    void pickerLeft(quint64 row);

    QString m_dir;
    EmployeeStore m_store;
    QList<JobFunction> m_functions;
    EmployeeRecord m_original; // the row as opened for edit
    bool m_finished = false;
    bool m_pickerCheckPending = false;
    quint64 m_row = 0; // changes whenever the row is saved, checked whole or replaced

    QLabel *m_heading = nullptr;
    QLineEdit *m_names[2] = {nullptr, nullptr};
    QComboBox *m_function = nullptr;
    QLineEdit *m_key = nullptr;
    QRadioButton *m_man = nullptr, *m_woman = nullptr;
    QRadioButton *m_internal = nullptr, *m_external = nullptr;
    QRadioButton *m_qualified = nullptr, *m_unqualified = nullptr;
    QPushButton *m_save = nullptr, *m_saveNew = nullptr, *m_cancel = nullptr;
};

} // namespace ulk
