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

    IDS_FILE_OPEN_FAILED = 30010,
    IDS_FILE_FORMAT_ERROR = 30011,
    IDS_FILE_SAVE_FAILED = 30012,
    IDS_LOOPG_DIFFERS_FROM_FILE = 30013,
    IDS_LOOPG_NAME_MISSING = 30014,
    IDS_CONFIG_NAME_DIFFERS = 30015,

    IDS_BLOCK_NUMBER_USED = 30020,
    IDS_BLOCK_NOT_OF_TYPE = 30021,
    IDS_DIT_NEEDS_PLUS = 30022,
    IDS_LOOP_NAME_USED = 30023,
    IDS_LOOP_NAME_INVALID = 30024,
    IDS_NO_SUCH_BLOCK = 30025,
    IDS_NO_SUCH_PARAM = 30026,
};
