#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <memory>
#include <string_view>

class LPane;
class LStrStream;
struct CDefList;
struct LMessage;

// One control of a definition file: the parameter it edits (id), its label (name), and the
// layout-script texts that size and place it. Subclasses add the keys of their type.
class CCtlDef {
public:
    CCtlDef(const CDefList& block);
    virtual ~CCtlDef() = default;
    CCtlDef(const CCtlDef&) = delete;
    CCtlDef& operator=(const CCtlDef&) = delete;

    // The definition for a control block, by its "type" (empty means "numeric"); null for an
    // unknown type.
    static std::unique_ptr<CCtlDef> Create(const CDefList& block);

    // Width and height expressions of the control at a pane index of the panel.
    virtual void WidthExpr(uint32_t pane, LStrStream& out) const = 0;
    virtual void HeightExpr(uint32_t pane, LStrStream& out) const = 0;
    // Placement of the control in a column (centred on hc, top at t1) and in a row (left at
    // l1, centred on vc).
    virtual void PlaceInColumn(uint32_t pane, LStrStream& out) const;
    virtual void PlaceInRow(uint32_t pane, LStrStream& out) const;
    // The initial value as the control shows it.
    virtual LStringRef FormatValue() const = 0;
    // Decimals of the value's text.
    virtual int32_t Precision() const { return 0; }
    // The text the control shows for a stored value (a value that is not a number shows as 0).
    virtual LStringRef ShownText(float value) const;
    // The stored value of a number the control reports; false for controls that report text
    // or nothing.
    virtual bool StoredValue(double shown, float& value) const;
    // The text of a stored value as the panel reports it: Precision decimals, trimmed.
    LStringRef ReportText(float value) const;

    // The control that edits the value, a child pane of `parent` (the control panel).
    virtual std::unique_ptr<LPane> CreateControl(LPane* parent) const = 0;
    // Shows a stored value in a control this definition made; other panes are left alone.
    virtual void SetControlValue(LPane& control, float value) const = 0;
    // Shows a value text: read as a number and shown as a value.
    virtual void SetControlText(LPane& control, const LStringRef& text) const;
    // The stored value a message of the control reports; false for other messages.
    virtual bool ReadControlValue(const LMessage& msg, float& value) const;
    // The value text a message of the control reports: the value with Precision decimals.
    virtual bool ReadControlText(const LMessage& msg, LStringRef& text) const;

    const LStringRef& Id() const { return fId; }
    const LStringRef& Name() const { return fName; }

protected:
    // A value that is not a number counts as 0.
    static double Finite(double value);
    // Truncated toward zero within the 32-bit range; not a number gives 0.
    static int32_t TruncToInt(double value);
    // Writes `fragment` with %0 = the pane index, %1 = the width and %2 = the height expression.
    void WritePlacement(const char* fragment, uint32_t pane, LStrStream& out) const;

private:
    LStringRef fId;
    LStringRef fName;
};
