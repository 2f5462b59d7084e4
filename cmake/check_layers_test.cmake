# The layer check's own test (CTest "layers_refuse"): small trees, each holding one
# deliberate break of the layering, that the check must refuse with the finding
# named here, and one clean tree it must pass.
#   cmake -DCHECK=<check_layers.cmake> -DWORK=<scratch folder> -P check_layers_test.cmake

cmake_minimum_required(VERSION 3.25)

# Three layers: an engine, the application layer above it and its window code.
set(table [=[
set(TABRO_LAYERS "grid;app;app_ui")
set(TABRO_APP_LAYER app)
set(TABRO_LAYER_grid_UI "")
set(TABRO_LAYER_grid_DIRS "grid")
set(TABRO_LAYER_grid_EXCLUDE "")
set(TABRO_LAYER_grid_LINKS "")
set(TABRO_LAYER_app_UI "")
set(TABRO_LAYER_app_DIRS "app")
set(TABRO_LAYER_app_EXCLUDE "")
set(TABRO_LAYER_app_LINKS "grid")
set(TABRO_LAYER_app_ui_UI "TRUE")
set(TABRO_LAYER_app_ui_DIRS "app")
set(TABRO_LAYER_app_ui_EXCLUDE "")
set(TABRO_LAYER_app_ui_LINKS "app")
]=])

# Files every tree has.
set(base_files
  "grid/cells.h|#pragma once"
  "app/state.h|#pragma once\n#include \"grid/cells.h\""
  "app/ui/window.h|#pragma once\n#include \"../state.h\"\n#include \"res/dialog.h\""
  "res/dialog.h|#pragma once")

# name | file | content | what the check must print (empty: the tree is clean)
set(cases
  "include_upwards|grid/load.cpp|#include \"app/state.h\"|grid/load.cpp (grid) includes app/state.h"
  "relative_parent_upwards|grid/load.cpp|#include \"../app/state.h\"|grid/load.cpp (grid) includes ../app/state.h"
  "relative_ui_from_engine|app/run.cpp|#include \"ui/window.h\"|app/run.cpp (app) includes ui/window.h"
  "test_includes_above_its_library|tests/grid/load_test.cpp|#include \"app/state.h\"|tests/grid/load_test.cpp (grid) includes app/state.h"
  "dialog_template_in_engine|app/run.cpp|#include \"res/dialog.h\"|includes the dialog template res/dialog.h"
  "qt_in_engine|grid/load.cpp|#include <QString>|includes the Qt header <QString>"
  "qt_module_path_in_engine|grid/load.cpp|#include <QtCore/QString>|includes the Qt header <QtCore/QString>"
  "qt_lower_case_header_in_engine|grid/load.cpp|#include <qglobal.h>|includes the Qt header <qglobal.h>"
  "project_header_in_angle_brackets|app/run.cpp|#include <grid/cells.h>|app/run.cpp (app) includes the project header <grid/cells.h> in angle brackets"
  "application_object_after_block_comment|grid/load.cpp|/* counts */ int n = theApp.m_Count|grid/load.cpp (grid) reads the application object"
  "application_object_in_engine|grid/load.cpp|#define COUNT() theApp.m_Count|grid/load.cpp (grid) reads the application object"
  "clean|app/run.cpp|#include \"state.h\"\n#include \"grid/cells.h\"\n// theApp is named in a comment\n#define COUNT() theApp.m_Count|"
  "clean_engine_comment|grid/load.cpp|// fills theApp's grids through the caller|"
  "clean_engine_block_comment|grid/load.cpp|/* fills\n   theApp's grids */ int n = 0|"
  "clean_engine_text|grid/load.cpp|const char* name = \"theApp\"|"
  "clean_qt_in_window_code|app/ui/view.cpp|#include <QtWidgets/QWidget>\n#include <qglobal.h>|")

set(failures "")
foreach(row IN LISTS cases)
  string(REPLACE "|" ";" fields "${row}")
  list(GET fields 0 name)
  list(GET fields 1 path)
  list(GET fields 2 content)
  list(LENGTH fields count)
  set(expected "")
  if(count GREATER 3)
    list(GET fields 3 expected)
  endif()

  set(tree ${WORK}/${name})
  file(REMOVE_RECURSE ${tree})
  foreach(entry IN LISTS base_files)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 file)
    list(GET parts 1 text)
    string(REPLACE "\\n" "\n" text "${text}")
    file(WRITE ${tree}/${file} "${text}\n")
  endforeach()
  string(REPLACE "\\n" "\n" content "${content}")
  file(WRITE ${tree}/${path} "${content}\n")
  file(WRITE ${tree}/layers.cmake "${table}")

  execute_process(COMMAND ${CMAKE_COMMAND} -DTABLE=${tree}/layers.cmake -DSOURCE_DIR=${tree} -P ${CHECK}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(expected STREQUAL "")
    if(NOT status EQUAL 0)
      list(APPEND failures "${name}: a clean tree was refused:\n${err}")
    endif()
  else()
    string(FIND "${err}" "${expected}" at)
    if(status EQUAL 0)
      list(APPEND failures "${name}: the break was not refused")
    elseif(at EQUAL -1)
      list(APPEND failures "${name}: refused without \"${expected}\":\n${err}")
    endif()
  endif()
endforeach()

if(failures)
  list(JOIN failures "\n" text)
  message(FATAL_ERROR "${text}")
endif()
list(LENGTH cases count)
message(STATUS "The layer check decides all ${count} cases")
