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
    // The browser decodes and inflates natively, off the page's thread, and compiles the module
    // as it comes out. A data: address is read in place: nothing goes over a network.
    fetch("data:application/octet-stream;base64," + rxPackedModule)
      .then(function (packed) {
        var module = new Response(packed.body.pipeThrough(new DecompressionStream("gzip")),
                                  { headers: { "Content-Type": "application/wasm" } });
        return WebAssembly.instantiateStreaming
          ? WebAssembly.instantiateStreaming(module, imports)
          : module.arrayBuffer().then(function (bytes) {
              return WebAssembly.instantiate(bytes, imports);
            });
      })
      .then(function (made) { receive(made.instance, made.module); }, failed);
  } catch (e) {
    failed(e);
  }
  return {};
};
// Put in place of this text by pack-page.mjs once the page is linked.
var rxPackedModule = "@RUNNELEX_PACKED_MODULE@";
