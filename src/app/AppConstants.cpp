#include "AppConstants.h"

namespace {

constexpr TAppConstant Table[] = {
    {u"SCaptionAddedComponent", u"Added Component: [%s]"},
    {u"SCaptionAddedConstant", u"Added Constant \"%s\""},
    {u"SCaptionAddedProperty", u"Added Property \"%s\" (ID=%d)"},
    {u"SCaptionComponentCount", u"Components: %d"},
    {u"SCaptionConstantCount", u"Constants: %d/%d"},
    {u"SCaptionConstantsNode", u"Constants"},
    {u"SCaptionEncodingConfict", u"Encoding Conflict"},
    {u"SCaptionExportFile", u"Export the translation to an XLIFF or PO file"},
    {u"SCaptionFilterAll", u"All files (*)"},
    {u"SCaptionFilterExchange", u"XLIFF and PO files (*.xlf *.xliff *.po)"},
    {u"SCaptionFilterPo", u"gettext PO files (*.po)"},
    {u"SCaptionFilterShowing", u"Showing %d of %d entries"},
    {u"SCaptionFilterXliff", u"XLIFF 1.2 files (*.xlf *.xliff)"},
    {u"SCaptionGoTo", u"Go to ID"},
    {u"SCaptionImportFile", u"Import translations from an XLIFF or PO file"},
    {u"SCaptionProblemCount", u"Problems: %d"},
    {u"SCaptionPropertyCount", u"Properties: %d/%d"},
    {u"SCaptionRedo", u"&Redo"},
    {u"SCaptionRedoStep", u"&Redo %s"},
    {u"SCaptionRemovedComponent", u"Removed Component: [%s]"},
    {u"SCaptionRemovedConstant", u"Removed Constant \"%s\""},
    {u"SCaptionRemovedProperty", u"Removed Component \"%s\", property with ID=%d"},
    {u"SCaptionSaveFile", u"Select a translation file to save to"},
    {u"SCaptionSelectDisplayFile", u"Select a translation file used for display"},
    {u"SCaptionSelectSourceFile", u"Select a language source file"},
    {u"SCaptionSelectTranslationFile", u"Select a translation file"},
    {u"SCaptionUndo", u"&Undo"},
    {u"SCaptionUndoStep", u"&Undo %s"},
    {u"SCheckAccelerators", u"Accelerator keys (&): the source has %d, the translation %d."},
    {u"SCheckEmpty", u"The translation is empty."},
    {u"SCheckFinalPunctuation", u"The source ends with \"%s\", the translation with \"%s\"."},
    {u"SCheckFinalPunctuationMissing", u"The source ends with \"%s\", the translation does not."},
    {u"SCheckFormatDiffers", u"The translation has %s where the source has %s."},
    {u"SCheckFormatExtra", u"The translation has %s, which the source lacks."},
    {u"SCheckFormatMalformed", u"The translation has the malformed placeholder \"%s\"."},
    {u"SCheckFormatMissing", u"The translation lacks %s of the source."},
    {u"SCheckLeadingBlanks", u"Leading blanks: the source has %d, the translation %d."},
    {u"SCheckLineBreaks", u"Line breaks: the source has %d, the translation %d."},
    {u"SCheckTrailingBlanks", u"Trailing blanks: the source has %d, the translation %d."},
    {u"SCheckUnchanged", u"The translation is the same as the source."},
    {u"SDialogButtonApply", u"Apply"},
    {u"SDialogButtonCancel", u"Cancel"},
    {u"SDialogButtonClose", u"Close"},
    {u"SDialogButtonHelp", u"Help"},
    {u"SDialogButtonOK", u"OK"},
    {u"SFormCaptionAbout", u"About"},
    {u"SFormCaptionDifferencesLog", u"Differences Found"},
    {u"SFormCaptionOpenFiles", u"Open Translation Files"},
    {u"SFormCaptionProperties", u"Translation Properties"},
    {u"SHintLanguage", u"Use the %s language files"},
    {u"SHintNonPositiveID",
     u"This entry cannot be translated: its ID in the language source is %d, and translation "
     u"files keep only entries with a positive ID."},
    {u"SMessageAnsiLosesCharacters",
     u"%d texts of the translation hold characters that the ANSI code page %d cannot "
     u"represent. Saving as ANSI replaces each of them by \"?\".\r\n\r\nDo you want to save "
     u"the translation in Unicode encoding instead?"},
    {u"SMessageDiffencesTotals",
     u"\tComponents\tProperties\tConstants\r\nAdded\t%d\t%d\t%d\r\nRemoved\t%d\t%d\t%d\r\n"
     u"Total\t%d\t%d\t%d"},
    {u"SMessageExcessiveConstants",
     u"The following constants were found excessive and deleted from the translation:"},
    {u"SMessageExcessiveEntries",
     u"The following entries were found excessive and deleted from the translation:"},
    {u"SMessageExportDone", u"Exported %d entries to %s."},
    {u"SMessageExportLeftOutControl",
     u"%d entries were left out, since their texts hold control characters that XML cannot "
     u"carry:\r\n%s"},
    {u"SMessageExportLeftOutEmpty",
     u"%d entries with an empty source value were left out, since gettext keeps the empty msgid "
     u"for its header:\r\n%s"},
    {u"SMessageImportDone",
     u"Took %d units from %s; %d untranslated units left their entries as they were."},
    {u"SMessageImportUnmatched", u"%d units match no entry of the language source:\r\n%s"},
    {u"SMessageMissingConstants",
     u"The following constants were not found and were added to the translation:"},
    {u"SMessageMissingEntries",
     u"The following entries were not found and were added to the translation:"},
    {u"SMessageNoSuchEntry", u"No property has the ID \"%s\", and no constant has that name."},
    {u"SMessageReplacedEntries", u"Replaced in %d entries."},
    {u"SMessageSaveChanges",
     u"The text in the %s file has changed.\r\n\r\nDo you want to save the changes?"},
    {u"SMessageSaveWithErrors", u"%d entries have errors (for example: %s). Save anyway?"},
    {u"SMessageSavingInANSI",
     u"You are about to save the translation in ANSI format while the language source file "
     u"used has Unicode encoding.\r\n\r\nSaving the translation as ANSI may result in wrong "
     u"characters displaying in the program you're translating. As long as that program uses "
     u"Unicode it is almost always better to save the translation also as Unicode.\r\n\r\nDo "
     u"you want to save the translation in Unicode encoding instead?"},
    {u"SMessageSavingInUnicode",
     u"You are about to save the translation in Unicode format while the language source file "
     u"used has ANSI encoding.\r\n\r\nSaving the translation in Unicode may prevent the program "
     u"from being able to use it. As long as that program uses ANSI, the most safe way is to "
     u"save the translation also in ANSI.\r\n\r\nDo you want to save the translation in ANSI "
     u"encoding instead?"},
    {u"SMessageSearchWrapped", u"The search went on from the other end of the list."},
    {u"SMessageTextNotFound", u"Cannot find \"%s\"."},
    {u"SMessageUpdateAvailable",
     u"A new version of %s (%s) is available to download.\r\n\r\nDo you want to download and "
     u"install this new version?"},
    {u"SMessageUpdateAvailableTitle", u"A new update is available"},
    {u"SMessageUpdateChecking", u"Checking for updates..."},
    {u"SMessageUpdateError", u"%s has been unable to download the update information."},
    {u"SMessageUpdateFailed",
     u"%s has been unable to connect to the update server.\r\n\r\nIf you are using a proxy "
     u"server please check your settings and try again."},
    {u"SMessageUpdateFailedTitle", u"Update failed"},
    {u"SMessageUpdateInsecure",
     u"%s could not verify the identity of the update server, so its update information was "
     u"not used.\r\n\r\n%s"},
    {u"SMessageUpdateLatestInstalled", u"Your application version (%s) is up to date."},
    {u"SMessageUpdateMalformed",
     u"The update information is malformed (%s); nothing was downloaded."},
    {u"SMessageUpdateTimedOut",
     u"%s did not receive the update information within %d seconds.\r\n\r\nPlease try again "
     u"later."},
    {u"SPromptGoTo", u"Property ID or constant name:"},
    {u"SUndoCopySource", u"Copy Source to Translation"},
    {u"SUndoCut", u"Cut"},
    {u"SUndoEdit", u"Edit"},
    {u"SUndoImport", u"Import"},
    {u"SUndoMarkTranslated", u"Mark Item Translated"},
    {u"SUndoPaste", u"Paste"},
    {u"SUndoReplace", u"Replace"},
    {u"SUndoReplaceAll", u"Replace All"},
    {u"SUndoTyping", u"Typing"},
    {u"SUntitled", u"Untitled"},
};

} // namespace

std::span<const TAppConstant> AppConstants() {
  return Table;
}
