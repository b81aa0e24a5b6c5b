#include "fields/field_input.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QString>

#include "engine/number_rules.h"
#include "engine/runtime_error.h"
#include "fields/number_text.h"
#include "library/common_calls.h"
#include "program/app_title.h"
#include "rules/limits.h"

namespace fields {
namespace {

quillan::RuntimeError missingField() {
    // A missing field reads as a missing object.
    return quillan::classicError(qor::kErrObjectNotSet);
}

// Throws 13 when the field's text is not a number.
double fieldValue(const QLineEdit* field) {
    return TextToDouble(field->text());
}

void writeNumber(QLineEdit* field, double value) {
    field->setText(QString::fromStdString(quillan::formatNumber(value, UserNumberLocale())));
}

void showInvalidEntry(QLineEdit* field, std::int16_t lowerBound, std::int16_t upperBound) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Invalid entry"),
                    QStringLiteral("Input value must be an integer between %1 and %2.")
                        .arg(NumberText(lowerBound), NumberText(upperBound)),
                    QMessageBox::Ok, field->window());
    box.exec();
}

// The accepted value rounded to a whole number, or nothing when the entry is rejected.
bool acceptedValue(const QString& text, std::int16_t lowerBound, std::int16_t upperBound,
                   std::int16_t& value) {
    double number = 0.0;
    try {
        number = TextToDouble(text);
    } catch (const quillan::RuntimeError&) {
        return false;
    }
    if (!(number >= lowerBound && number <= upperBound))
        return false;
    value = quillan::toInt16(number);
    return true;
}

} // namespace

void SelectControlText(QLineEdit* field) {
    try {
        if (field == nullptr)
            throw missingField();
        const int length = static_cast<int>(field->text().size());
        if (length > 0)
            field->setSelection(0, length);
    } catch (const quillan::RuntimeError& err) {
        library::ShowError(program::GetAppTitle() + QStringLiteral(".Module1.SelectControlText"),
                           QStringLiteral("SelectControlText"), err);
    }
}

bool CancelInput(std::int16_t lowerBound, std::int16_t upperBound, QLineEdit* field,
                 bool& selectText) {
    try {
        if (field == nullptr)
            throw missingField();
        const QString text = field->text();
        // An empty entry stands for 0, but only where 0 is a value the field may hold.
        if (text.isEmpty() && lowerBound <= 0 && upperBound >= 0) {
            field->setText(QStringLiteral("0"));
            return false;
        }
        std::int16_t value = 0;
        if (acceptedValue(text, lowerBound, upperBound, value)) {
            field->setText(NumberText(value));
            return false;
        }
        showInvalidEntry(field, lowerBound, upperBound);
        if (selectText)
            SelectControlText(field);
        return true;
    } catch (const quillan::RuntimeError& err) {
        library::ShowError(program::GetAppTitle() + QStringLiteral(".Module1.CancelInput"),
                           QStringLiteral("CancelInput"), err);
        return false;
    }
}

void BalanceMixFields(QLineEdit* o2Field, QLineEdit* heField, QLineEdit* nField) {
    try {
        if (o2Field == nullptr || heField == nullptr || nField == nullptr)
            throw missingField();
        const quillan::MixFigures entered{fieldValue(o2Field), fieldValue(heField),
                                          fieldValue(nField)};
        const quillan::MixFigures balanced = quillan::balanceMix(entered);
        // No oxygen or pure oxygen keeps its O2 text as typed unless it had to be held in range.
        if (balanced.o2 != entered.o2 || (balanced.o2 != 0.0 && balanced.o2 != 100.0))
            writeNumber(o2Field, balanced.o2);
        writeNumber(heField, balanced.he);
        writeNumber(nField, balanced.n);
    } catch (const quillan::RuntimeError&) {
        // Any failure marks the whole mix as unusable rather than leaving it half balanced.
        for (QLineEdit* field : {o2Field, heField, nField})
            if (field != nullptr)
                field->setText(QStringLiteral("-1"));
    }
}

} // namespace fields
