// Hosts the web player for the Movie Preview panel and gives the panel one small interface.
//
// The panel reads the state of this page from its title, one line:
//   "ready"                     the player script is loaded, no movie is set
//   "loading"                   a movie was handed to the player
//   "loaded FRAMES"             the movie's header was read; FRAMES is its frame count
//   "empty"                     the movie was cleared
//   "error TEXT"                the player could not start or could not load the movie
// and calls the functions of window.orvanePreview with runJavaScript.
//
// The player's script interface has play and pause for the whole player but no way to go
// to a frame, step, or ask for the current frame. Its own context menu does have the
// commands of the root timeline ("Play" with a check mark while the timeline plays,
// "Rewind", "Forward", "Back"), available while the player runs and the movie has more
// than one frame. So the player is left running once a movie is loaded, and the timeline
// is driven through those menu commands: stepping is exact, and the check mark tells
// whether the movie still plays (a stop action in the movie stops it). Movies of a single
// frame have no such commands; there is nothing to step, and play and stop fall back to
// resuming and suspending the whole player.
"use strict";

(function () {
  // This browser has no fetch() for the page's own URL scheme, but XMLHttpRequest works
  // there; the player fetches its WebAssembly and the movie, so fetches of this scheme are
  // answered through XMLHttpRequest.
  const nativeFetch = window.fetch.bind(window);
  window.fetch = function (input, init) {
    const url = new URL(input instanceof Request ? input.url : String(input), document.baseURI);
    if (url.protocol !== location.protocol) return nativeFetch(input, init);
    return new Promise((resolve, reject) => {
      const request = new XMLHttpRequest();
      request.open("GET", url.href);
      request.responseType = "arraybuffer";
      request.onload = () => {
        const response = new Response(request.response, {
          status: request.status || 200,
          headers: { "Content-Type": request.getResponseHeader("Content-Type") || "application/octet-stream" },
        });
        Object.defineProperty(response, "url", { value: url.href });
        resolve(response);
      };
      request.onerror = () => reject(new TypeError("Failed to fetch " + url.href));
      request.send();
    });
  };

  // The menu captions are looked up in English, whatever the desktop's language.
  Object.defineProperty(navigator, "languages", { get: () => ["en-US"] });
  Object.defineProperty(navigator, "language", { get: () => "en-US" });

  window.RufflePlayer = window.RufflePlayer || {};
  window.RufflePlayer.config = {
    autoplay: "on",
    unmuteOverlay: "hidden",
    splashScreen: false,
    polyfills: false,
    contextMenu: "on",
    letterbox: "on",
    allowScriptAccess: false,
    allowNetworking: "none",
    openUrlMode: "deny",
    logLevel: "error",
    warnOnUnsupportedContent: false,
  };

  const kStartWaitMs = 5000;
  let player = null;
  let generation = 0;

  function setState(line) {
    document.title = line;
  }

  // Runs `action` on the items of the menu the player would show on a right click (none
  // without a player), then closes the menu again; it is never painted.
  function withMenu(action) {
    if (player === null || player.shadowRoot === null) return action([]);
    player.dispatchEvent(new MouseEvent("contextmenu", { bubbles: true, cancelable: true }));
    try {
      return action(Array.from(player.shadowRoot.querySelectorAll("li.menu-item")));
    } finally {
      // The player closes its menu on the next click anywhere in the page.
      document.documentElement.dispatchEvent(new MouseEvent("click"));
    }
  }

  function findItem(items, caption) {
    return items.find((item) => item.dataset.text === caption);
  }

  // Runs a menu command; false when the menu does not offer it now.
  function runMenu(caption) {
    return withMenu((items) => {
      const item = findItem(items, caption);
      if (item === undefined || item.classList.contains("disabled")) return false;
      item.dispatchEvent(new MouseEvent("click", { cancelable: true }));
      return true;
    });
  }

  // Whether the timeline plays; null when the menu has no timeline commands.
  function timelinePlaying() {
    return withMenu((items) => {
      const item = findItem(items, "Play");
      return item === undefined ? null : item.classList.contains("checked");
    });
  }

  // Stops the timeline on its first frame ("Rewind" is offered only past the first frame).
  function toFirstFrame() {
    runMenu("Rewind");
    if (timelinePlaying()) runMenu("Play");
  }

  function removePlayer() {
    if (player !== null) {
      player.remove();
      player = null;
    }
  }

  window.orvanePreview = {
    fail(text) {
      setState("error " + text);
    },

    started() {
      if (window.RufflePlayer.newest === undefined) {
        setState("error the player script did not start");
        return;
      }
      setState("ready");
    },

    // Loads the movie served at `url`, stopped on its first frame.
    load(url) {
      removePlayer();
      const current = ++generation;
      player = window.RufflePlayer.newest().createPlayer();
      player.addEventListener("loadedmetadata", () => {
        // The timeline commands appear once the player runs, a moment after the header.
        const started = Date.now();
        const settle = () => {
          if (current !== generation) return;
          const frames = player.ruffle().metadata.numFrames;
          const running = player.ruffle().isPlaying && (frames <= 1 || timelinePlaying() !== null);
          if (!running && Date.now() - started < kStartWaitMs) {
            window.setTimeout(settle, 20);
            return;
          }
          toFirstFrame();
          setState("loaded " + frames);
        };
        settle();
      });
      document.getElementById("stage").appendChild(player);
      setState("loading");
      player
        .ruffle()
        .load({ url: url })
        .catch((error) => {
          if (current === generation) setState("error " + String(error.message || error).split("\n")[0]);
        });
    },

    clear() {
      ++generation;
      removePlayer();
      setState("empty");
    },

    play() {
      if (player === null) return;
      const playing = timelinePlaying();
      if (playing === null) player.ruffle().resume();
      else if (!playing) runMenu("Play");
    },

    stop() {
      if (player === null) return;
      const playing = timelinePlaying();
      if (playing === null) player.ruffle().suspend();
      else if (playing) runMenu("Play");
    },

    rewind() {
      toFirstFrame();
    },

    // Steps one frame; true when the player had the command (not at either end).
    forward() {
      return runMenu("Forward");
    },

    back() {
      return runMenu("Back");
    },

    isPlaying() {
      if (player === null) return false;
      const playing = timelinePlaying();
      return playing === null ? player.ruffle().isPlaying : playing;
    },
  };
})();
