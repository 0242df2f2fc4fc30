#!/usr/bin/python3
"""scikit-image's piecewise affine warp of IN onto the node pairs of a
points file (source x y, target x y per line), bilinear, written to OUT.

    warp_skimage.py POINTS IN OUT
"""
import sys

import numpy as np
from skimage import io, transform

points = np.loadtxt(sys.argv[1], ndmin=2)
source, target = points[:, 0:2], points[:, 2:4]
image = io.imread(sys.argv[2])
tform = transform.PiecewiseAffineTransform()
tform.estimate(target, source)  # output (target) coordinates to input ones
out = transform.warp(image, tform, order=1, preserve_range=True, cval=255)
io.imsave(sys.argv[3], out.astype(np.uint8), check_contrast=False)
