// What the browser checks share: the system's Chromium, driven by
// playwright-core, started with an empty profile and nothing from the
// network; and the exit code that reports a check as skipped.

import fs from 'node:fs';

export const SKIP = 77;

function findChromium() {
  const candidates = [process.env.CHROMIUM, '/usr/bin/chromium',
    '/usr/bin/chromium-browser', '/usr/bin/google-chrome'];
  return candidates.find((file) => file && fs.existsSync(file));
}

async function loadDriver() {
  try {
    return (await import('playwright-core')).chromium;
  } catch {
    return null;
  }
}

// The started browser, with `extraArgs` added to its command line; exits
// with SKIP when Chromium or the driver is missing.
export async function launchBrowser(extraArgs = []) {
  const executablePath = findChromium();
  const chromium = await loadDriver();
  if (!executablePath || !chromium) {
    console.log(!executablePath
      ? 'skipped: Chromium is not installed (apt-get install chromium)'
      : 'skipped: playwright-core is not installed (npm ci --prefix tests/browser)');
    process.exit(SKIP);
  }
  // playwright-core starts the browser with a new, empty profile.
  return chromium.launch({
    executablePath,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update',
      '--disable-sync', ...extraArgs],
  });
}
