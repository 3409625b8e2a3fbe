#include "res/CommandTable.h"

#include "res/CommandIds.h"

const std::vector<CMenuInfo>& MenuResource(int menuId) {
    static const std::vector<CMenuInfo> noDocument = {
        {"&File",
         {ID_FILE_NEW, ID_FILE_OPEN, 0, ID_FILE_PRINT_SETUP, 0, ID_FILE_MRU_FILE1, 0, ID_APP_EXIT}},
        {"&View", {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}},
        {"&Help", {ID_APP_ABOUT}},
    };
    // One line per group of items between separators (0).
    // clang-format off
    static const std::vector<CMenuInfo> document = {
        {"&File",
         {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_EXPORT, 0,
          ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, 0,
          ID_FILE_MRU_FILE1, 0,
          ID_APP_EXIT}},
        {"&Edit",
         {ID_EDIT_UNDO, ID_EDIT_REDO, 0,
          ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL, 0,
          ID_EDIT_SHOW_CENTER_OF_MASS}},
        {"O&bject",
         {ID_OBJECT_PROPERTIES, ID_OBJECT_RESIZE, ID_OBJECT_ROTATE, ID_OBJECT_FLIP_HORIZONTAL,
          ID_OBJECT_FLIP_VERTICAL, ID_OBJECT_COORDINATES, ID_OBJECT_CENTER_AT_CENTROID, 0,
          ID_TOOL_SELECT, ID_TOOL_CENTER_OF_MASS, ID_TOOL_POLYLINE, ID_TOOL_POLYGON, ID_TOOL_RECTANGLE,
          ID_TOOL_FILLED_RECTANGLE, ID_TOOL_CIRCLE, ID_TOOL_FILLED_CIRCLE, ID_TOOL_EDIT_VERTICES, 0,
          ID_OBJECT_FILL_COLOR, 0,
          ID_OBJECT_MOVE_BACK, ID_OBJECT_MOVE_FORWARD, 0,
          ID_OBJECT_SPIN, ID_OBJECT_SIMULATE, ID_OBJECT_TRACE_IMAGE}},
        {"&View",
         {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, 0,
          ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_OUT, ID_VIEW_ACTUAL_SIZE, ID_VIEW_FIT_OBJECT, 0,
          ID_VIEW_SHOW_GRID, ID_VIEW_SNAP_TO_GRID, ID_VIEW_GRID_SPACING, 0,
          ID_VIEW_PHYSICS_PANEL, 0,
          ID_VIEW_REFERENCE_IMAGE, ID_VIEW_HIDE_REFERENCE_IMAGE}},
        {"&Window", {ID_WINDOW_NEW, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_ARRANGE}},
        {"&Help", {ID_APP_ABOUT}},
    };
    // clang-format on
    return menuId == IDR_OBJECT_TYPE ? document : noDocument;
}

const std::vector<int>& ToolbarLayout() {
    static const std::vector<int> layout = {
        ID_FILE_NEW,
        ID_FILE_OPEN,
        ID_FILE_SAVE,
        0,
        ID_EDIT_CUT,
        ID_EDIT_COPY,
        ID_EDIT_PASTE,
        0,
        ID_FILE_PRINT,
        0,
        ID_TOOL_SELECT,
        ID_TOOL_CENTER_OF_MASS,
        ID_TOOL_POLYLINE,
        ID_TOOL_POLYGON,
        ID_TOOL_RECTANGLE,
        ID_TOOL_FILLED_RECTANGLE,
        ID_TOOL_CIRCLE,
        ID_TOOL_FILLED_CIRCLE,
        0,
        ID_OBJECT_FILL_COLOR,
        0,
        ID_OBJECT_SPIN,
        0,
        ID_APP_ABOUT,
        0,
        ID_TOOL_EDIT_VERTICES,
    };
    return layout;
}
