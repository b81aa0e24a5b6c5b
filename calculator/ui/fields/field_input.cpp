#include "fields/field_input.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QString>

#include "engine/number_rules.h"
#include "engine/runtime_error.h"
#include "fields/number_text.h"
#include "library/common_calls.h"
#include "program/app_title.h"

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
        if (fieldValue(o2Field) < 0)
            o2Field->setText(QStringLiteral("0"));
        if (fieldValue(o2Field) > 100)
            o2Field->setText(QStringLiteral("100"));
        if (fieldValue(heField) < 0)
            heField->setText(QStringLiteral("0"));
        if (fieldValue(heField) > 90)
            heField->setText(QStringLiteral("90"));
        if (fieldValue(nField) < 0)
            nField->setText(QStringLiteral("0"));
        if (fieldValue(nField) > 90)
            nField->setText(QStringLiteral("90"));

        const double o2 = fieldValue(o2Field);
        if (o2 == 0 || o2 == 100) {
            heField->setText(QStringLiteral("0"));
            nField->setText(QStringLiteral("0"));
            return;
        }
        if (fieldValue(heField) == 0) {
            writeNumber(o2Field, quillan::intFloor(o2));
            heField->setText(QStringLiteral("0"));
            writeNumber(nField, 100 - fieldValue(o2Field));
            return;
        }
        writeNumber(o2Field, quillan::intFloor(o2));
        writeNumber(heField, quillan::intFloor(fieldValue(heField)));
        const double newO2 = fieldValue(o2Field);
        const double newHe = fieldValue(heField);
        if (100 - newO2 - newHe < 0) {
            writeNumber(heField, 100 - newO2);
            nField->setText(QStringLiteral("0"));
        } else {
            writeNumber(nField, 100 - newO2 - newHe);
        }
    } catch (const quillan::RuntimeError&) {
        // Any failure marks the whole mix as unusable rather than leaving it half balanced.
        for (QLineEdit* field : {o2Field, heField, nField})
            if (field != nullptr)
                field->setText(QStringLiteral("-1"));
    }
}

} // namespace fields
