# Writes PAGE/sw.js from the service worker's template TEMPLATE: the list of
# every file in the page folder PAGE, and a version that is a digest of
# their names and contents. Run at every build of the page, after the
# folder is complete:
#   cmake -DPAGE=folder -DTEMPLATE=web/service_worker.js.in -P service_worker.cmake
# The file is rewritten only when it changes.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${PAGE} ${PAGE}/*)
list(REMOVE_ITEM files sw.js)
list(SORT files)
set(listing "")
set(quoted "")
foreach(name IN LISTS files)
  file(SHA256 ${PAGE}/${name} digest)
  string(APPEND listing "${digest} ${name}\n")
  string(REPLACE "\\" "\\\\" literal "${name}")
  string(REPLACE "'" "\\'" literal "${literal}")
  list(APPEND quoted "'${literal}'")
endforeach()
string(SHA256 version "${listing}")
string(SUBSTRING ${version} 0 16 PAGE_VERSION)
list(JOIN quoted ", " PAGE_FILES)
configure_file(${TEMPLATE} ${PAGE}/sw.js @ONLY)
