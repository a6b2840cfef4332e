#pragma once
// The model and language dialogs as a user meets them.
#include <QObject>

#include <memory>

namespace qrv {

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void ModelDialogIsLocalized();
    void ModelDialogListsTheCatalogue();
    void ModelDialogStartsOnTheCurrentValues();
    void AnotherIdentifierRefillsTheRanges();
    void AnotherNameOfTheSameIdentifierKeepsTheRanges();
    void AModelWithoutRangesFallsBack();
    void WithoutTheSettingSectionTheNameIsEmpty();
    void ThePerModelValueDisablesTheSignalling();
    void ModelDialogButtons();
    void LanguageDialogListsTheLanguages();
    void LanguageDialogReturnsOnlyAChange();
    void LanguageDialogButtons();
    void LocalizeWindowFillsEveryKindOfControl();
    void Screenshots();
};

} // namespace qrv
