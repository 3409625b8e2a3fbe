#include "res/CommandTable.h"

#include "res/CommandIds.h"

#include <Qt>

const std::vector<CCommandInfo>& CommandTable() {
    static const std::vector<CCommandInfo> table = {
        {ID_FILE_NEW, "&New\tCtrl+N", "Create a new document", "New"},
        {ID_FILE_OPEN, "&Open...\tCtrl+O", "Open an existing document", "Open"},
        {ID_FILE_CLOSE, "&Close", "Close the active document", "Close"},
        {ID_FILE_SAVE, "&Save\tCtrl+S", "Save the active document", "Save"},
        {ID_FILE_SAVE_AS, "Save &As...", "Save the active document with a new name", "Save As"},
        {ID_FILE_PRINT_SETUP, "P&rint Setup...", "Change the printer and printing options",
         "Print Setup"},
        {ID_FILE_PRINT, "&Print...\tCtrl+P", "Print the active document", "Print"},
        {ID_FILE_PRINT_DIRECT, nullptr, nullptr, nullptr},
        {ID_FILE_PRINT_PREVIEW, "Print Pre&view", "Display full pages", "Print Preview"},
        {ID_FILE_MRU_FILE1, nullptr, "Open this document", nullptr},
        {ID_FILE_MRU_FILE1 + 1, nullptr, "Open this document", nullptr},
        {ID_FILE_MRU_FILE1 + 2, nullptr, "Open this document", nullptr},
        {ID_FILE_MRU_FILE1 + 3, nullptr, "Open this document", nullptr},
        {ID_APP_EXIT, "E&xit", "Quit the application; prompts to save documents", "Exit"},
        {ID_EDIT_UNDO, "&Undo\tCtrl+Z", "Undo the last action", "Undo"},
        {ID_EDIT_REDO, "Redo\tCtrl+Y", "Redo the previously undone action", "Redo"},
        {ID_EDIT_CUT, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard", "Cut"},
        {ID_EDIT_COPY, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard", "Copy"},
        {ID_EDIT_PASTE, "&Paste\tCtrl+V", "Insert Clipboard contents", "Paste"},
        {ID_EDIT_CLEAR, "Clear\tDelete", "Erase the selection", "Erase"},
        {ID_EDIT_SELECT_ALL, "Select All\tCtrl-A", "Select the entire document", "Select All"},
        {ID_EDIT_SHOW_CENTER_OF_MASS, "Show center of mass",
         "Display a red X at the center of mass", "Show center of mass"},
        {ID_OBJECT_PROPERTIES, "Properties...\tAlt+Enter", "Sets the Properties of the object",
         nullptr},
        {ID_OBJECT_RESIZE, "Resize...\tCtrl+R", "Resize the selection", "Resize selection"},
        {ID_TOOL_SELECT, "Select", "Choose object selection tool", "Selection Tool"},
        {
            ID_TOOL_CENTER_OF_MASS,
            "Center of Mass",
            "Select Center of Mass Tool",
            "Center of Mass",
        },
        {ID_TOOL_POLYLINE, "Polyline", "Select Polyline Tool", "Open Polyline"},
        {ID_TOOL_POLYGON, "Polygon", "Select Polygon Tool", "Filled Polygon"},
        {ID_TOOL_RECTANGLE, "Rectangle", "Select Rectangle Tool", "Rectangle"},
        {ID_TOOL_FILLED_RECTANGLE, "Filled Rectangle", "Select Filled Rectangle Tool",
         "Filled Rectangle"},
        {ID_TOOL_CIRCLE, "Circle", "Select Circle Tool", "Circle"},
        {ID_TOOL_FILLED_CIRCLE, "Filled Circle", "Select Filled Circle Tool", "Filled Circle"},
        {ID_OBJECT_FILL_COLOR, "Fill Color...", "Sets color to a custom color", "Custom color"},
        {ID_OBJECT_MOVE_BACK, "Move back\tMinus", "Move selection back", "Move Back"},
        {
            ID_OBJECT_MOVE_FORWARD,
            "Move Forward\tPlus",
            "Move selection forward",
            "Move Forward",
        },
        {ID_OBJECT_SPIN, "Spin", "Spin the object", "Spin"},
        {ID_OBJECT_SIMULATE, "&Simulate...\tCtrl+T",
         "Drop the object onto a floor in a physics simulation", "Simulate"},
        {ID_VIEW_TOOLBAR, "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar"},
        {ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar", "Toggle StatusBar"},
        {ID_VIEW_ZOOM_IN, "Zoom &In\tCtrl++", "Show the object larger", "Zoom In"},
        {ID_VIEW_ZOOM_OUT, "Zoom &Out\tCtrl+-", "Show the object smaller", "Zoom Out"},
        {ID_VIEW_ACTUAL_SIZE, "&Actual Size\tCtrl+0",
         "Show the object at one unit per pixel with the center of mass in the middle",
         "Actual Size"},
        {ID_VIEW_FIT_OBJECT, "&Fit Object\tCtrl+F", "Show the whole object in the window",
         "Fit Object"},
        {ID_VIEW_SHOW_GRID, "Show &Grid\tCtrl+G", "Show or hide the grid in this window",
         "Show Grid"},
        {ID_VIEW_SNAP_TO_GRID, "S&nap to Grid\tCtrl+Shift+G",
         "Put new points on the grid; hold Ctrl while dragging to do the opposite", "Snap to Grid"},
        {ID_VIEW_GRID_SPACING, "Grid Spa&cing...", "Set the distance between grid lines",
         "Grid Spacing"},
        {ID_WINDOW_NEW, "&New Window", "Open another window for the active document", "New Window"},
        {ID_WINDOW_CASCADE, "&Cascade", "Arrange windows so they overlap", "Cascade Windows"},
        {
            ID_WINDOW_TILE_HORZ,
            "&Tile",
            "Arrange windows as non-overlapping tiles",
            "Tile Windows",
        },
        {ID_WINDOW_ARRANGE, "&Arrange Icons", "Arrange icons at the bottom of the window",
         "Arrange Icons"},
        {ID_APP_ABOUT, "&About Morvet...",
         "Display program information, version number and copyright", "About"},
        {ID_FILE_EXPORT, "&Export...", "Export the object as a Box2D body (b2dJson)", "Export"},
        {ID_VIEW_PHYSICS_PANEL, "&Physics Panel",
         "Show or hide the object's mass, centroid, inertia and physics problems",
         "Toggle Physics Panel"},
        {ID_OBJECT_CENTER_AT_CENTROID, "Center of Mass at C&entroid",
         "Move the center of mass to the object's centroid", "Center of Mass at Centroid"},
        {ID_NEXT_PANE, nullptr, "Switch to the next window pane", "Next Pane"},
        {ID_PREV_PANE, nullptr, "Switch back to the previous window pane", "Previous Pane"},
        {ID_OBJECT_COORDINATES, "&Coordinates...\tCtrl+E",
         "Type the coordinates of the selected element", "Element Coordinates"},
        {ID_WINDOW_CLOSE_ACTIVE, nullptr, "Close the active window", "Close Window"},
        {ID_WINDOW_NEXT, nullptr, "Switch to the next window", "Next Window"},
        {ID_WINDOW_PREV, nullptr, "Switch to the previous window", "Previous Window"},
        {ID_VIEW_REFERENCE_IMAGE, "&Reference Image...",
         "Show a picture under the object, to draw or trace over", "Reference Image"},
        {ID_VIEW_HIDE_REFERENCE_IMAGE, "Hide Reference Image", "Hide or show the reference image",
         "Hide Reference Image"},
        {ID_OBJECT_TRACE_IMAGE, "&Trace Image...",
         "Add filled polygons traced from the outlines in the reference image", "Trace Image"},
    };
    return table;
}

const CCommandInfo* FindCommand(int id) {
    for (const CCommandInfo& info : CommandTable())
        if (info.id == id)
            return &info;
    return nullptr;
}

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
         {ID_OBJECT_PROPERTIES, ID_OBJECT_RESIZE, ID_OBJECT_COORDINATES, ID_OBJECT_CENTER_AT_CENTROID, 0,
          ID_TOOL_SELECT, ID_TOOL_CENTER_OF_MASS, ID_TOOL_POLYLINE, ID_TOOL_POLYGON, ID_TOOL_RECTANGLE,
          ID_TOOL_FILLED_RECTANGLE, ID_TOOL_CIRCLE, ID_TOOL_FILLED_CIRCLE, 0,
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

const std::vector<CAccelInfo>& AcceleratorTable() {
    using K = CAccelInfo;
    static const std::vector<CAccelInfo> table = {
        {K::Character, '-', false, false, false, false, ID_OBJECT_MOVE_BACK},
        {K::Character, '=', false, false, false, false, ID_OBJECT_MOVE_FORWARD},
        {K::Key, Qt::Key_A, false, true, false, false, ID_EDIT_SELECT_ALL},
        {K::Key, Qt::Key_C, false, true, false, false, ID_EDIT_COPY},
        {K::Key, Qt::Key_N, false, true, false, false, ID_FILE_NEW},
        {K::Key, Qt::Key_O, false, true, false, false, ID_FILE_OPEN},
        {K::Key, Qt::Key_P, false, true, false, false, ID_FILE_PRINT},
        {K::Key, Qt::Key_R, false, true, false, false, ID_OBJECT_RESIZE},
        {K::Key, Qt::Key_S, false, true, false, false, ID_FILE_SAVE},
        {K::Key, Qt::Key_T, false, true, false, false, ID_OBJECT_SIMULATE},
        {K::Key, Qt::Key_V, false, true, false, false, ID_EDIT_PASTE},
        {K::Key, Qt::Key_Plus, false, false, false, true, ID_OBJECT_MOVE_FORWARD},
        {K::Key, Qt::Key_Backspace, false, false, true, false, ID_EDIT_UNDO},
        {K::Key, Qt::Key_Delete, false, false, false, false, ID_EDIT_CLEAR},
        {K::Key, Qt::Key_Delete, true, false, false, false, ID_EDIT_CUT},
        {K::Key, Qt::Key_F6, false, false, false, false, ID_NEXT_PANE},
        {K::Key, Qt::Key_F6, true, false, false, false, ID_PREV_PANE},
        {K::Key, Qt::Key_Insert, false, true, false, false, ID_EDIT_COPY},
        {K::Key, Qt::Key_Insert, true, false, false, false, ID_EDIT_PASTE},
        {K::Key, Qt::Key_Return, false, false, true, false, ID_OBJECT_PROPERTIES},
        {K::Key, Qt::Key_Minus, false, false, false, true, ID_OBJECT_MOVE_BACK},
        {K::Key, Qt::Key_X, false, true, false, false, ID_EDIT_CUT},
        {K::Key, Qt::Key_Y, false, true, false, false, ID_EDIT_REDO},
        {K::Key, Qt::Key_Z, false, true, false, false, ID_EDIT_UNDO},
        {K::Key, Qt::Key_G, false, true, false, false, ID_VIEW_SHOW_GRID},
        {K::Key, Qt::Key_G, true, true, false, false, ID_VIEW_SNAP_TO_GRID},
        {K::Key, Qt::Key_E, false, true, false, false, ID_OBJECT_COORDINATES},
        {K::Key, Qt::Key_F4, false, true, false, false, ID_WINDOW_CLOSE_ACTIVE},
        {K::Key, Qt::Key_F6, false, true, false, false, ID_WINDOW_NEXT},
        {K::Key, Qt::Key_F6, true, true, false, false, ID_WINDOW_PREV},
        // "+" is a shifted key on many layouts and a key of its own on others.
        {K::Key, Qt::Key_Plus, false, true, false, false, ID_VIEW_ZOOM_IN},
        {K::Key, Qt::Key_Plus, true, true, false, false, ID_VIEW_ZOOM_IN},
        {K::Key, Qt::Key_Equal, false, true, false, false, ID_VIEW_ZOOM_IN},
        {K::Key, Qt::Key_Minus, false, true, false, false, ID_VIEW_ZOOM_OUT},
        {K::Key, Qt::Key_0, false, true, false, false, ID_VIEW_ACTUAL_SIZE},
        {K::Key, Qt::Key_F, false, true, false, false, ID_VIEW_FIT_OBJECT},
    };
    return table;
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
    };
    return layout;
}
