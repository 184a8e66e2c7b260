#pragma once

// Identifiers of the string table entries (resources/strings.tsv). Entries whose
// identifier the controller protocol or the start-up fixes keep those numbers;
// the program's own messages are numbered from 30000.
enum StringId : unsigned {
    IDS_COMM_ERROR_BASE = 28829,  // + protocol error code 0..12

    IDS_LOOP_SIZE_REACHED = 30001,
    IDS_VALUE_OUT_OF_RANGE = 30002,
    IDS_DIT_NOT_SUPPORTED = 30003,
    IDS_BYTES_FREE = 30004,
};
