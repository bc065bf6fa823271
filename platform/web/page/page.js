// The page around the show: canvas, overlay, input, sound and the display-frame loop.
// Address options: ?seed=N (the show to play; a random one otherwise), ?size=WxH (the stage,
// 1280x720 unless given), ?hold=MS (play on the recorder's virtual clock to MS of show time and
// hold that frame).
'use strict';

(function () {
  const params = new URLSearchParams(location.search);
  const canvas = document.getElementById('stage');
  const context = canvas.getContext('2d', { alpha: false });
  const $ = (id) => document.getElementById(id);

  const seed = /^\d+$/.test(params.get('seed') || '') ? params.get('seed')
    : String(Math.floor(Math.random() * 1e9));
  const args = ['--seed', seed];
  if (params.has('size')) args.push('--size', params.get('size'));
  if (params.has('hold')) args.push('--hold', params.get('hold'));
  $('seed').value = seed;

  // --- reports: each message once, with how often it came ---
  const reports = new Map();
  function report(message) {
    const known = reports.get(message);
    if (known) {
      known.count += 1;
      known.text.textContent = message + ' (' + known.count + ' times)';
      return;
    }
    console.warn('Zibolt: ' + message);
    const box = document.createElement('div');
    box.className = 'report';
    const text = document.createElement('span');
    text.textContent = message;
    const close = document.createElement('button');
    close.type = 'button';
    close.title = 'Dismiss';
    close.textContent = '\u00d7';
    close.onclick = () => { box.remove(); reports.delete(message); };
    box.append(text, close);
    $('reports').append(box);
    reports.set(message, { count: 1, text });
  }

  // --- the stage's size and place: letterboxed at its aspect, scaled without smoothing ---
  function fit() {
    const scale = Math.min(innerWidth / canvas.width, innerHeight / canvas.height);
    canvas.style.width = Math.floor(canvas.width * scale) + 'px';
    canvas.style.height = Math.floor(canvas.height * scale) + 'px';
  }
  addEventListener('resize', fit);

  // --- sound: browsers play nothing before the viewer did something on the page ---
  let audio = null;
  let playing = null;
  let latest = '';
  let played = 0;
  const sounds = new Map();
  function wakeAudio() {
    if (!audio) audio = new AudioContext();
    if (audio.state === 'suspended') audio.resume();
  }
  function playSound(name, bytes) {
    let sound = sounds.get(name);
    if (!sound) {
      if (!bytes.length) return false;
      sound = { bytes, buffer: null, decoding: null };
      sounds.set(name, sound);
    }
    if (!audio || audio.state !== 'running') return false;
    latest = name;
    const start = () => {
      if (latest !== name || !sound.buffer) return;
      if (playing) playing.stop();
      playing = audio.createBufferSource();
      playing.buffer = sound.buffer;
      playing.connect(audio.destination);
      playing.start();
      played += 1;
    };
    if (sound.buffer) {
      start();
    } else if (!sound.decoding) {
      sound.decoding = audio.decodeAudioData(sound.bytes.buffer.slice(0))
        .then((buffer) => { sound.buffer = buffer; start(); })
        .catch(() => report('Sound ' + name + ' cannot be played: it is no wave file the browser reads.'));
    }
    return true;
  }

  // --- what the engine calls (VWebPage) ---
  const page = {
    setSize(width, height) {
      canvas.width = width;
      canvas.height = height;
      fit();
    },
    showFrame(pixels, width, height) {
      const rgba = new Uint8ClampedArray(pixels.buffer, pixels.byteOffset, width * height * 4);
      context.putImageData(new ImageData(rgba, width, height), 0, 0);
      showed = true;
    },
    showCursor(show) { canvas.style.cursor = show ? '' : 'none'; },
    report,
    playSound,
  };

  // --- the display-frame loop, timed for the benchmark: the main thread's time in each frame
  // and whether it showed a new picture ---
  const stats = { frames: 0, busyMs: 0, times: [], shown: [] };
  let ended = false;
  let showed = false;
  function frame() {
    const begin = performance.now();
    showed = false;
    const alive = Module._zibolt_frame();
    const spent = performance.now() - begin;
    stats.frames += 1;
    stats.busyMs += spent;
    if (stats.times.length < 100000) {
      stats.times.push(spent);
      stats.shown.push(showed);
    }
    if (alive) {
      requestAnimationFrame(frame);
    } else {
      ended = true;
      $('status').textContent = 'The show has ended.';
    }
  }

  // --- overlay ---
  function setSound(on) {
    if (on) wakeAudio();
    Module._zibolt_set_sound(on ? 1 : 0);
    showSound();
  }
  function showSound() {
    const on = Module._zibolt_sound() === 1;
    $('sound').textContent = 'Sound: ' + (on ? 'on' : 'off');
    $('sound').setAttribute('aria-pressed', String(on));
  }
  $('sound').onclick = () => setSound(Module._zibolt_sound() !== 1);
  $('fullscreen').onclick = () => {
    if (document.fullscreenElement) document.exitFullscreen();
    else document.documentElement.requestFullscreen().catch(() => report('The browser refused full screen.'));
  };
  $('newshow').onclick = () => {
    const next = new URLSearchParams(location.search);
    next.set('seed', $('seed').value || '0');
    next.delete('hold');
    location.search = next.toString();
  };

  let sceneText = '';
  function showScenes() {
    const text = Module.ccall('zibolt_scenes', 'string', [], []);
    if (text === sceneText) return;
    sceneText = text;
    const select = $('scenes');
    const chosen = select.value;
    select.textContent = '';
    for (const line of text.split('\n')) {
      if (!line) continue;
      const [name, state] = line.split('\t');
      const option = new Option(state ? name + ' (' + state + ')' : name, name);
      select.append(option);
    }
    if (chosen) select.value = chosen;
  }
  $('playnext').onclick = () => {
    if ($('scenes').value) Module.ccall('zibolt_play_next', 'number', ['string'], [$('scenes').value]);
    showScenes();
  };

  async function addSceneFiles(files) {
    for (const file of files) {
      const bytes = new Uint8Array(await file.arrayBuffer());
      const at = Module._malloc(Math.max(bytes.length, 1));
      Module.HEAPU8.set(bytes, at);
      try {
        Module.ccall('zibolt_add_scene', 'number', ['string', 'number', 'number'], [file.name, at, bytes.length]);
      } finally {
        Module._free(at);
      }
    }
    showScenes();
  }
  $('scenefile').onchange = (event) => { addSceneFiles([...event.target.files]); event.target.value = ''; };
  addEventListener('dragover', (event) => { event.preventDefault(); document.body.classList.add('dragging'); });
  addEventListener('dragleave', () => document.body.classList.remove('dragging'));
  addEventListener('drop', (event) => {
    event.preventDefault();
    document.body.classList.remove('dragging');
    if (event.dataTransfer && event.dataTransfer.files.length) addSceneFiles([...event.dataTransfer.files]);
  });

  // --- input: stage events in stage pixels; keys typed into the overlay stay there ---
  function mouse(kind) {
    return (event) => {
      const box = canvas.getBoundingClientRect();
      if (!box.width || !box.height) return;
      const x = (event.clientX - box.left) * canvas.width / box.width;
      const y = (event.clientY - box.top) * canvas.height / box.height;
      if (kind === 0 || event.button === 0) Module._zibolt_mouse(kind, x, y);
      if (kind !== 0) wakeAudio();
    };
  }
  canvas.addEventListener('mousemove', mouse(0));
  canvas.addEventListener('mousedown', mouse(1));
  canvas.addEventListener('mouseup', mouse(2));
  function key(down) {
    return (event) => {
      if (event.target.closest && event.target.closest('input, select, button, textarea')) return;
      wakeAudio();
      Module._zibolt_key(down ? 1 : 0, event.keyCode || 0);
      if (!down) showSound();
    };
  }
  addEventListener('keydown', key(true));
  addEventListener('keyup', key(false));
  addEventListener('focus', () => Module._zibolt_activate(1));
  addEventListener('blur', () => Module._zibolt_activate(0));
  document.addEventListener('visibilitychange', () => Module._zibolt_visible(document.hidden ? 0 : 1));

  // The overlay steps aside in full screen while the mouse rests.
  let idle = 0;
  addEventListener('mousemove', () => {
    document.body.classList.remove('idle');
    clearTimeout(idle);
    if (document.fullscreenElement) idle = setTimeout(() => document.body.classList.add('idle'), 3000);
  });

  // What tests and the benchmark read.
  let ready = false;
  window.zibolt = {
    seed,
    stats,
    ready: () => ready,
    held: () => ready && Module._zibolt_held() === 1,
    ended: () => ended,
    soundOn: () => ready && Module._zibolt_sound() === 1,
    audioState: () => (audio ? audio.state : 'none'),
    soundsPlayed: () => played,
    reports: () => [...reports.keys()],
    scenes: () => sceneText,
  };

  window.Module = {
    arguments: args,
    zibolt: page,
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    setStatus: (text) => { if (text) $('status').textContent = text; },
    onAbort: (what) => {
      console.error('Zibolt stopped: ' + what);
      report('The show stopped: ' + what);
    },
    onRuntimeInitialized() {
      ready = true;
      $('status').textContent = '';
      showSound();
      setInterval(showScenes, 1000);
      requestAnimationFrame(frame);
    },
  };
  const script = document.createElement('script');
  script.src = 'zibolt.js';
  document.body.append(script);
}());
