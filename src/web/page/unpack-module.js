// SPDX-License-Identifier: GPL-3.0-or-later
// The page carries its module gzipped (a third of its size): fewer bytes for the browser to read
// and parse before anything runs. The browser inflates it natively and compiles it; a browser
// too old to inflate says so on the page rather than showing a dead form.
Module["instantiateWasm"] = function (imports, receive) {
  var failed = function (reason) {
    var status = typeof document != "undefined" && document.getElementById("status");
    if (status) status.textContent = "This browser cannot start the calculator: " + reason;
    abort(reason);
  };
  try {
    var packed = atob(rxPackedModule), bytes = new Uint8Array(packed.length);
    for (var i = 0; i < packed.length; ++i) bytes[i] = packed.charCodeAt(i);
    var inflated = new Blob([bytes]).stream().pipeThrough(new DecompressionStream("gzip"));
    new Response(inflated).arrayBuffer()
      .then(function (module) { return WebAssembly.instantiate(module, imports); })
      .then(function (made) { receive(made.instance, made.module); }, failed);
  } catch (e) {
    failed(e);
  }
  return {};
};
// Put in place of this text by pack-page.mjs once the page is linked.
var rxPackedModule = "@RUNNELEX_PACKED_MODULE@";
