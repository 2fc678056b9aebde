#pragma once

#include <projectfile/projectformat.h>

class DesignerContext;
class QLineEdit;
class TMenuButton;

// Turn the per-object sections of the open project into objects on the
// design surface, as a live preview of what the runtime will show: the
// category keys, the function keys, the single objects, and then the
// fonts, colours, borders, hints and layouts of what exists.
class DesignBuilders
{
public:
    explicit DesignBuilders(DesignerContext &context);

    void createCategoryKeys();
    void CreateFunctionButtons();
    void CreateObjects();
    void ApplyObjectStyles();

private:
    ProjectFormat::ProjectValues values() const;
    bool windowFlag(const QString &key) const;
    Platform::TColor windowColor(const QString &key) const;
    TMenuButton *createKey(int id, const QString &caption);
    // Loads the glyph listed for the key; a missing file is reported.
    void loadGlyph(TMenuButton *key, int id);
    void createList();
    void createField(int id);
    void createTools();
    void createDescription();
    void createTitle();
    void styleKey(TMenuButton *key, int id);

    DesignerContext &m_context;
};
