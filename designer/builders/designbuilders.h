#pragma once

#include <projectfile/menudesign.h>
#include <projectfile/projectformat.h>

class DesignerContext;
class QLineEdit;
class QWidget;
class TMenuButton;

// Turn the per-object sections of the open project into objects on the
// design surface, as a live preview of what the runtime will show: the
// category keys, the function keys, the single objects, and then the
// fonts, colours, borders, hints and layouts of what exists. The keys come
// from the design the project file holds, read once, built as the runtime
// builds them.
class DesignBuilders
{
public:
    // From the design of the open project file, or from design.
    explicit DesignBuilders(DesignerContext &context);
    DesignBuilders(DesignerContext &context, ProjectFormat::MenuDesign design);

    void createCategoryKeys();
    void CreateFunctionButtons();
    void CreateObjects();
    void ApplyObjectStyles();

private:
    ProjectFormat::ProjectValues values() const;
    bool windowFlag(const QString &key) const;
    // Loads the glyph of the key's entry; a missing file is reported.
    void loadGlyph(TMenuButton *button, const ProjectFormat::DesignKey &key);
    void createList();
    void createField(int id);
    void createTools();
    void createDescription();
    void createTitle();
    void styleKey(TMenuButton *key, int id);
    static void keepColors(QWidget *object, Platform::TColor color, Platform::TColor fontColor);

    DesignerContext &m_context;
    ProjectFormat::MenuDesign m_design;
};
