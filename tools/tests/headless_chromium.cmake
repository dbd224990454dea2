# Headless Chromium for the tests that look at a page, included by their
# scripts, which define fail() and set CHROMIUM and WORK_DIR first. As root
# in CI: no sandbox; a profile of its own in WORK_DIR; nothing fetched.

if(NOT CHROMIUM)
  fail("chromium not found: sh scripts/install-deps.sh test installs it")
endif()
set(browser "${CHROMIUM}" --headless --disable-gpu --no-sandbox --no-first-run
    --user-data-dir=${WORK_DIR}/profile --disable-background-networking
    --disable-component-update --disable-extensions --no-pdf-header-footer)

# The page at `file` as Chromium's parser leaves it, in `dom` of the
# caller; fails unless it was rendered up to `last` (a closing tag).
function(chromium_dom file last)
  execute_process(COMMAND ${browser} --dump-dom "file://${file}"
                  RESULT_VARIABLE status OUTPUT_VARIABLE d ERROR_VARIABLE e TIMEOUT 120)
  if(NOT status EQUAL 0 OR NOT d MATCHES "${last}")
    fail("chromium --dump-dom ${file}: status ${status}\n${e}")
  endif()
  set(dom "${d}" PARENT_SCOPE)
endfunction()

# The page at `file` printed to `pdf` on A4.
function(chromium_pdf file pdf)
  execute_process(COMMAND ${browser} "--print-to-pdf=${pdf}" "file://${file}"
                  RESULT_VARIABLE status ERROR_VARIABLE e TIMEOUT 120)
  if(NOT status EQUAL 0 OR NOT EXISTS "${pdf}")
    fail("chromium --print-to-pdf ${file}: status ${status}\n${e}")
  endif()
endfunction()
