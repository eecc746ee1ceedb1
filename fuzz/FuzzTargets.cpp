#include "fuzz/FuzzTargets.h"

namespace {

constexpr FuzzTarget kTargets[] = {
    {"xml_records", FuzzXmlRecords},
    {"property_list", FuzzPropertyList},
    {"iff_records", FuzzIffRecords},
    {"key_value_records", FuzzKeyValueRecords},
    {"undo_history", FuzzUndoHistory},
    {"record_file_source", FuzzRecordFileSource},
    {"line_source", FuzzLineSource},
    {"layout_formula", FuzzLayoutFormula},
    {"layout_script", FuzzLayoutScript},
    {"control_definitions", FuzzControlDefinitions},
    {"band_file", FuzzBandFile},
    {"wav_file", FuzzWavFile},
    {"csv_fields", FuzzCsvFields},
    {"dmx_usb_input", FuzzDmxUsbInput},
    {"timecode", FuzzTimecode},
    {"event_drag_items", FuzzEventDragItems},
    {"single_instance_message", FuzzSingleInstanceMessage},
    {"resource_file", FuzzResourceFile},
    {"sound_file", FuzzSoundFile},
};

} // namespace

std::span<const FuzzTarget> FuzzTargets()
{
    return kTargets;
}
